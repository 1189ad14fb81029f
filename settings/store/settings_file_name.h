// The name of a printer instance's settings file.
#pragma once

#include <string>

// dataFolder + "\" + ("runonce" or "settings") + ("-" + instance when the
// instance is not empty) + ".ini". The instance name is used verbatim.
std::wstring SettingsFileName(const std::wstring& dataFolder, bool isRunOnce,
                              const std::wstring& instance);
