#include "printer_driver_setup.h"

#include <windows.h>
#include <winspool.h>

#include "driver_choice.h"
#include "setup_error.h"
#include "running_under_wine.h"
#include "setup_names.h"

namespace {

using namespace setup_names;

// Wine's PostScript driver is a built-in library, not a file of the system
// folder to look for.
bool WinePostScriptDriverAvailable() { return RunningUnderWine(); }

std::wstring PrinterDriverFolder() {
  wchar_t folder[MAX_PATH];
  DWORD size = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                  sizeof(folder), &size)) {
    ThrowLastError(L"Finding the printer driver folder");
  }
  return folder;
}

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) ThrowLastError(L"Finding the program folder");
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

// Wine's PostScript driver reads the driver's data file as the printer's
// description (page sizes, fonts); without one its pages have no size. The
// description comes with this program; Wine's spooler copies the driver's files
// from the driver folder into its version subfolder.
void RegisterWinePostScriptDriver(const std::wstring& name) {
  const std::wstring description = PrinterDriverFolder() + L"\\" + kWineDriverDescription;
  if (!CopyFileW((OwnFolder() + L"\\" + kWineDriverDescription).c_str(), description.c_str(),
                 FALSE)) {
    ThrowLastError(L"Copying the printer description");
  }
  std::wstring driverName = name;
  std::wstring library = kWineDriverLibrary;
  std::wstring dataFile = kWineDriverDescription;
  DRIVER_INFO_3W info{};
  info.cVersion = 3;
  info.pName = driverName.data();
  info.pDriverPath = library.data();
  info.pDataFile = dataFile.data();
  info.pConfigFile = library.data();
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES)) {
    ThrowLastError(L"Adding the printer driver " + name);
  }
}

// Windows 8 and later install the class driver from the driver store. The
// function is looked up, so that the program still starts where it is missing.
void InstallFromDriverStore(const std::wstring& name) {
  using InstallFunction = HRESULT(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, DWORD);
  HMODULE spooler = GetModuleHandleW(L"winspool.drv");
  const auto install = spooler ? reinterpret_cast<InstallFunction>(reinterpret_cast<void*>(
                                     GetProcAddress(spooler, "InstallPrinterDriverFromPackageW")))
                               : nullptr;
  if (!install) ThrowError(L"Finding a PostScript printer driver", ERROR_UNKNOWN_PRINTER_DRIVER);
  const HRESULT result = install(nullptr, nullptr, name.c_str(), nullptr, 0);
  if (FAILED(result)) {
    ThrowError(L"Installing the printer driver " + name, HRESULT_CODE(result));
  }
}

}  // namespace

std::vector<InstalledDriver> InstalledDrivers() {
  DWORD needed = 0, returned = 0;
  EnumPrinterDriversW(nullptr, nullptr, 3, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed);
  if (!EnumPrinterDriversW(nullptr, nullptr, 3, buffer.data(), needed, &needed, &returned)) {
    return {};
  }
  const auto* entries = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
  std::vector<InstalledDriver> drivers;
  for (DWORD i = 0; i < returned; ++i) {
    if (!entries[i].pName) continue;
    drivers.push_back({entries[i].pName, entries[i].pDataFile ? entries[i].pDataFile : L""});
  }
  return drivers;
}

std::vector<std::wstring> InstalledDriverNames() {
  std::vector<std::wstring> names;
  for (const InstalledDriver& driver : InstalledDrivers()) names.push_back(driver.name);
  return names;
}

std::wstring InstallPostScriptDriver() {
  const DriverChoice choice =
      ChoosePostScriptDriver(InstalledDriverNames(), WinePostScriptDriverAvailable());
  switch (choice.source) {
    case DriverSource::kInstalled:
      break;
    case DriverSource::kWinePostScript:
      RegisterWinePostScriptDriver(choice.name);
      break;
    case DriverSource::kClassDriverStore:
      InstallFromDriverStore(choice.name);
      break;
  }
  return choice.name;
}

void RemoveOwnPostScriptDriver() {
  for (const InstalledDriver& driver : InstalledDrivers()) {
    if (!IsOwnDriver(driver.name)) continue;
    std::wstring name = driver.name;
    // Wine's spooler deletes no driver files. Ours is the printer description;
    // the driver library is Wine's own, shared by its printers, and stays.
    if (!DeletePrinterDriverW(nullptr, nullptr, name.data())) {
      ThrowLastError(L"Deleting the printer driver " + name);
    }
    if (IsOwnDriverFile(driver.dataFile)) DeleteFileW(driver.dataFile.c_str());
  }
  DeleteFileW((PrinterDriverFolder() + L"\\" + kWineDriverDescription).c_str());
}
