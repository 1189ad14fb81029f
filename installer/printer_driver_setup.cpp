#include "printer_driver_setup.h"

#include <windows.h>
#include <winspool.h>

#include "driver_choice.h"
#include "setup_error.h"
#include "setup_names.h"

namespace {

using namespace setup_names;

// Wine provides its PostScript driver as a built-in library, with no file on
// disk to look for; Wine itself is known by the function its ntdll exports.
bool WinePostScriptDriverAvailable() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void RegisterWinePostScriptDriver(const std::wstring& name) {
  std::wstring driverName = name;
  std::wstring file = kWineDriverLibrary;
  DRIVER_INFO_3W info{};
  info.cVersion = 3;
  info.pName = driverName.data();
  info.pDriverPath = file.data();
  info.pDataFile = file.data();
  info.pConfigFile = file.data();
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

std::vector<std::wstring> InstalledDriverNames() {
  DWORD needed = 0, returned = 0;
  EnumPrinterDriversW(nullptr, nullptr, 1, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed);
  if (!EnumPrinterDriversW(nullptr, nullptr, 1, buffer.data(), needed, &needed, &returned)) {
    return {};
  }
  const auto* entries = reinterpret_cast<const DRIVER_INFO_1W*>(buffer.data());
  std::vector<std::wstring> names;
  for (DWORD i = 0; i < returned; ++i) {
    if (entries[i].pName) names.emplace_back(entries[i].pName);
  }
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
  for (std::wstring name : InstalledDriverNames()) {
    if (!IsOwnDriver(name)) continue;
    // The driver's file is Wine's own, shared by its PostScript printers: it stays.
    if (!DeletePrinterDriverW(nullptr, nullptr, name.data())) {
      ThrowLastError(L"Deleting the printer driver " + name);
    }
  }
}
