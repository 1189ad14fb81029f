// Where an instance's settings may still lie when its file is missing: places
// that earlier versions of the store wrote to.
#pragma once

#include <string>
#include <vector>

// In the order to try: the file of the instance's verbatim name when that held
// ":" (VerbatimSettingsFileName); then, when the data folder is the user's own
// folder in "USERDATA", the instance's files directly in "USERDATA", each only
// when it exists and the calling user owns it. These files are only read: new
// writes go to the instance's file in the data folder.
std::vector<std::wstring> OlderSettingsFiles(bool isRunOnce, const std::wstring& instance);
