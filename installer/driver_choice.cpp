#include "driver_choice.h"

#include <algorithm>

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

bool IsOwnDriver(const std::wstring& driverName) {
  return driverName == setup_names::kWineDriverName;
}
