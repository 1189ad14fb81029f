// The PostScript printer driver that the printer uses.
#pragma once

#include <string>
#include <vector>

// Makes a PostScript driver available and returns its name.
std::wstring InstallPostScriptDriver();

// Deletes the driver that InstallPostScriptDriver registered of its own (under
// Wine); the system's class driver stays. Nothing when absent.
void RemoveOwnPostScriptDriver();

// The names of the registered printer drivers of this system's environment.
std::vector<std::wstring> InstalledDriverNames();
