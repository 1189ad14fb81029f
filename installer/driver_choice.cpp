#include "driver_choice.h"

#include <algorithm>

#include "port_values.h"
#include "setup_names.h"

namespace {

bool Contains(const std::vector<std::wstring>& names, const std::wstring& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

DriverChoice ChoosePostScriptDriver(const std::vector<std::wstring>& installedDrivers,
                                    bool winePostScript) {
  using namespace setup_names;
  if (Contains(installedDrivers, kClassDriverName)) {
    return {DriverSource::kInstalled, kClassDriverName};
  }
  if (winePostScript) {
    const DriverSource source = Contains(installedDrivers, kWineDriverName)
                                    ? DriverSource::kInstalled
                                    : DriverSource::kWinePostScript;
    return {source, kWineDriverName};
  }
  return {DriverSource::kClassDriverStore, kClassDriverName};
}

bool IsOwnDriverFile(const std::wstring& path) {
  const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  return EqualIgnoringAsciiCase(name, setup_names::kWineDriverDescription);
}

bool IsOwnDriver(const std::wstring& driverName) {
  return driverName == setup_names::kWineDriverName;
}
