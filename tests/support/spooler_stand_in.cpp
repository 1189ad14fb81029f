#include "spooler_stand_in.h"

namespace {

constexpr wchar_t kTestKeys[] = L"SOFTWARE\\CorvaleTests\\";

}  // namespace

PortRegistryKey::PortRegistryKey(const std::wstring& name, const std::vector<std::wstring>& ports)
    : root_(kTestKeys + name) {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, root_.c_str());
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, root_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  RegCloseKey(key);
  for (size_t i = 0; i < ports.size(); ++i) SetValue(std::to_wstring(i + 1), ports[i]);
}

PortRegistryKey::~PortRegistryKey() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, root_.c_str()); }

void PortRegistryKey::SetValue(const std::wstring& name, const std::wstring& text) const {
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, root_.c_str(), name.c_str(), REG_SZ, text.c_str(),
                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::vector<std::pair<std::wstring, std::wstring>> PortRegistryKey::Values() const {
  std::vector<std::pair<std::wstring, std::wstring>> values;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, root_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return values;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    wchar_t data[1024] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, nullptr,
                      reinterpret_cast<LPBYTE>(data), &size) != ERROR_SUCCESS) {
      break;
    }
    values.emplace_back(name, data);
  }
  RegCloseKey(key);
  return values;
}

SpoolerStandIn::SpoolerStandIn(const std::wstring& libraryPath)
    : library_(LoadLibraryW(libraryPath.c_str())) {}

SpoolerStandIn::~SpoolerStandIn() {
  if (library_) FreeLibrary(library_);
}

const MONITOREX* SpoolerStandIn::Initialize(const std::wstring& registryRoot) {
  using Initializer = LPMONITOREX(WINAPI*)(LPWSTR);
  auto initialize = reinterpret_cast<Initializer>(
      reinterpret_cast<void*>(GetProcAddress(library_, "InitializePrintMonitor")));
  if (!initialize) return nullptr;
  table_ = initialize(const_cast<LPWSTR>(registryRoot.c_str()));
  return table_;
}

SpoolerStandIn::WaitForOutputFunction SpoolerStandIn::WaitForOutput() const {
  return reinterpret_cast<WaitForOutputFunction>(
      reinterpret_cast<void*>(GetProcAddress(library_, "WaitForOutput")));
}

std::vector<std::wstring> SpoolerStandIn::PortNames(DWORD level) const {
  std::vector<std::wstring> names;
  DWORD needed = 0, returned = 0;
  Table().pfnEnumPorts(nullptr, level, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed);
  if (!Table().pfnEnumPorts(nullptr, level, buffer.data(), needed, &needed, &returned)) {
    return names;
  }
  for (DWORD i = 0; i < returned; ++i) {
    names.push_back(level == 1 ? reinterpret_cast<PORT_INFO_1W*>(buffer.data())[i].pName
                               : reinterpret_cast<PORT_INFO_2W*>(buffer.data())[i].pPortName);
  }
  return names;
}

HANDLE SpoolerStandIn::OpenPort(const std::wstring& name) const {
  HANDLE port = nullptr;
  if (!Table().pfnOpenPort(const_cast<LPWSTR>(name.c_str()), &port)) return nullptr;
  return port;
}

BOOL SpoolerStandIn::StartDoc(HANDLE port, const std::wstring& printer, DWORD jobId,
                              const std::wstring& documentName) const {
  DOC_INFO_1W info{const_cast<LPWSTR>(documentName.c_str()), nullptr, const_cast<LPWSTR>(L"RAW")};
  return Table().pfnStartDocPort(port, const_cast<LPWSTR>(printer.c_str()), jobId, 1,
                                 reinterpret_cast<LPBYTE>(&info));
}

BOOL SpoolerStandIn::Write(HANDLE port, const std::string& bytes, DWORD* written) const {
  DWORD count = 0;
  const BOOL ok =
      Table().pfnWritePort(port, reinterpret_cast<LPBYTE>(const_cast<char*>(bytes.data())),
                           static_cast<DWORD>(bytes.size()), &count);
  if (written) *written = count;
  return ok;
}

BOOL SpoolerStandIn::EndDoc(HANDLE port) const { return Table().pfnEndDocPort(port); }

BOOL SpoolerStandIn::ClosePort(HANDLE port) const { return Table().pfnClosePort(port); }

bool SpoolerStandIn::PrintJob(const std::wstring& portName, const std::wstring& printer,
                              DWORD jobId, const std::wstring& documentName,
                              const std::vector<std::string>& writes) const {
  HANDLE port = OpenPort(portName);
  if (!port) return false;
  bool ok = StartDoc(port, printer, jobId, documentName);
  for (const std::string& bytes : writes) ok = Write(port, bytes) && ok;
  ok = EndDoc(port) && ok;
  return ClosePort(port) && ok;
}
