// Which PostScript printer driver the printer gets. Windows ships a PostScript
// class driver in its driver store; Wine has none registered but provides its
// own PostScript driver, which we register under our own name.
#pragma once

#include <string>
#include <vector>

enum class DriverSource {
  kInstalled,         // a usable driver is registered already: use it as it is
  kWinePostScript,    // register Wine's PostScript driver file under our name
  kClassDriverStore,  // install the class driver from the system's driver store
};

struct DriverChoice {
  DriverSource source;
  std::wstring name;  // the driver name the printer uses
};

// `installedDrivers`: the names of the registered drivers; `winePostScript`:
// whether Wine's PostScript driver is there (that is, we run under Wine). Our own Wine driver,
// once registered, is reused; the class driver is preferred where it exists.
DriverChoice ChoosePostScriptDriver(const std::vector<std::wstring>& installedDrivers,
                                    bool winePostScript);

// Whether the uninstaller removes the driver: only the one we registered, never
// the system's class driver, which other printers may use.
bool IsOwnDriver(const std::wstring& driverName);

// Whether a driver file (a full path) is our printer description, which the
// uninstaller deletes; Wine's driver library, shared by Wine's printers, is not.
bool IsOwnDriverFile(const std::wstring& path);
