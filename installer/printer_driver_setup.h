// The PostScript printer driver that the printer uses.
#pragma once

#include <string>
#include <vector>

// Makes a PostScript driver available and returns its name.
std::wstring InstallPostScriptDriver();

// Deletes the driver that InstallPostScriptDriver registered of its own (under
// Wine) with its printer description; the system's class driver stays.
// Nothing when absent.
void RemoveOwnPostScriptDriver();

// The registered printer drivers of this system's environment: names, and the
// full paths of their data files.
struct InstalledDriver {
  std::wstring name;
  std::wstring dataFile;
};
std::vector<InstalledDriver> InstalledDrivers();
std::vector<std::wstring> InstalledDriverNames();
