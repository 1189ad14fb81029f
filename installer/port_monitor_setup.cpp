#include "port_monitor_setup.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

#include "port_values.h"
#include "setup_error.h"
#include "setup_names.h"
#include "unique_resource.h"

namespace {

using namespace setup_names;

std::wstring MonitorKey() { return std::wstring(kMonitorsKey) + L"\\" + kMonitorName; }

// The texts of "1", "2", ... up to the first one missing.
std::vector<std::wstring> ReadPortList(HKEY key) {
  std::vector<std::wstring> ports;
  for (;;) {
    const std::wstring valueName = std::to_wstring(ports.size() + 1);
    wchar_t data[261] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS) {
      return ports;
    }
    ports.emplace_back(data);
  }
}

void WritePortList(HKEY monitorKey) {
  if (const auto valueName = PortValueToAdd(ReadPortList(monitorKey), kPortName)) {
    const LSTATUS status =
        RegSetValueExW(monitorKey, valueName->c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(kPortName), sizeof(kPortName));
    if (status != ERROR_SUCCESS) ThrowError(L"Writing the port list", status);
  }
  UniqueRegKey portKey;
  const std::wstring portSubKey = std::wstring(L"Ports\\") + kPortName;
  const LSTATUS status = RegCreateKeyExW(monitorKey, portSubKey.c_str(), 0, nullptr, 0, KEY_READ,
                                         nullptr, portKey.put(), nullptr);
  if (status != ERROR_SUCCESS) ThrowError(L"Creating the port's subkey", status);
}

}  // namespace

void InstallPortMonitor() {
  {
    UniqueRegKey monitorKey;
    const LSTATUS status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, MonitorKey().c_str(), 0, nullptr, 0,
                                           KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY,
                                           nullptr, monitorKey.put(), nullptr);
    if (status != ERROR_SUCCESS) ThrowError(L"Creating the monitor key", status);
    WritePortList(monitorKey.get());
  }
  std::wstring name = kMonitorName;
  std::wstring library = kMonitorLibrary;
  MONITOR_INFO_2W info{name.data(), nullptr, library.data()};
  if (!AddMonitorW(nullptr, 2, reinterpret_cast<BYTE*>(&info)) &&
      GetLastError() != ERROR_PRINT_MONITOR_ALREADY_INSTALLED) {
    ThrowLastError(L"Adding the port monitor");
  }
}

void RemovePortMonitor() {
  std::wstring name = kMonitorName;
  const BOOL deleted = DeleteMonitorW(nullptr, nullptr, name.data());
  const DWORD deleteError = GetLastError();
  const LSTATUS status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, MonitorKey().c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    ThrowError(L"Deleting the monitor key", status);
  }
  if (!deleted && PortMonitorListed()) ThrowError(L"Deleting the port monitor", deleteError);
}

bool PortMonitorListed() {
  DWORD needed = 0, returned = 0;
  EnumMonitorsW(nullptr, 1, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed);
  if (!EnumMonitorsW(nullptr, 1, buffer.data(), needed, &needed, &returned)) return false;
  const auto* entries = reinterpret_cast<const MONITOR_INFO_1W*>(buffer.data());
  return std::any_of(entries, entries + returned, [](const MONITOR_INFO_1W& m) {
    return m.pName && std::wstring(m.pName) == kMonitorName;
  });
}
