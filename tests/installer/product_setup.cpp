#include "product_setup.h"

#include <shlobj.h>
#include <winspool.h>

#include <algorithm>

#include "child_process.h"
#include "product_names.h"
#include "scratch_folder.h"
#include "unique_resource.h"

namespace {

constexpr DWORD kSetupTimeoutMs = 60000;

std::wstring ExpandedFolder(const wchar_t* text) {
  wchar_t buffer[MAX_PATH];
  const DWORD length = ExpandEnvironmentStringsW(text, buffer, MAX_PATH);
  return length > 0 && length <= MAX_PATH ? std::wstring(buffer) : std::wstring();
}

// Runs a spooler Enum* call, first for the size, then for the entries: the
// buffer and the number of entries in it (none when the call fails).
template <typename Call>
std::pair<std::vector<BYTE>, DWORD> Enumerate(Call call) {
  DWORD needed = 0, returned = 0;
  call(nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed);
  if (!call(buffer.data(), needed, &needed, &returned)) return {{}, 0};
  return {std::move(buffer), returned};
}

std::wstring Text(const wchar_t* text) { return text ? text : L""; }

bool Contains(const std::vector<std::wstring>& names, const std::wstring& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool SameText(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::wstring DefaultProgramFolder() {
  return ExpandedFolder(L"%ProgramFiles%") + L"\\Quillmar\\PDF Writer";
}

std::wstring SettingsShortcut() {
  wchar_t* programs = nullptr;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_CommonPrograms, 0, nullptr, &programs))) return L"";
  const std::wstring shortcut = std::wstring(programs) + L"\\Quillmar PDF Writer Settings.lnk";
  CoTaskMemFree(programs);
  return shortcut;
}

std::wstring SystemFolder() {
  wchar_t buffer[MAX_PATH];
  const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  return std::wstring(buffer, length);
}

std::wstring SystemWow64Folder() {
  wchar_t buffer[MAX_PATH];
  const UINT length = GetSystemWow64DirectoryW(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

WORD PeMachine(const std::wstring& path) {
  UniqueFileHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  IMAGE_DOS_HEADER dos{};
  DWORD read = 0;
  if (!file || !ReadFile(file.get(), &dos, sizeof(dos), &read, nullptr) || read != sizeof(dos) ||
      dos.e_magic != IMAGE_DOS_SIGNATURE) {
    return 0;
  }
  struct {
    DWORD signature;
    IMAGE_FILE_HEADER header;
  } nt{};
  if (SetFilePointer(file.get(), dos.e_lfanew, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
      !ReadFile(file.get(), &nt, sizeof(nt), &read, nullptr) || read != sizeof(nt) ||
      nt.signature != IMAGE_NT_SIGNATURE) {
    return 0;
  }
  return nt.header.Machine;
}

std::wstring PrinterDriverFolder() {
  wchar_t folder[MAX_PATH];
  DWORD size = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                  sizeof(folder), &size)) {
    return {};
  }
  return folder;
}

std::wstring WineDriverFile() { return PrinterDriverFolder() + L"\\3\\wineps.drv"; }

std::optional<DWORD> RunSetup(const std::wstring& folder) {
  std::wstring commandLine = QuoteArgument(WindowsPathOf(SETUP_PROGRAM)) + L" /S";
  // /D= comes last and unquoted: the setup program reads the rest of the line.
  if (!folder.empty()) commandLine += L" /D=" + folder;
  return RunWithEnvironment(commandLine, {}, {}, kSetupTimeoutMs);
}

std::optional<DWORD> RunUninstaller(const std::wstring& folder) {
  return RunUninstallerFrom(folder + L"\\Uninstall.exe", folder);
}

std::optional<DWORD> RunUninstallerFrom(const std::wstring& uninstaller,
                                        const std::wstring& folder) {
  ScratchFolder scratch;
  const std::wstring copy = scratch / L"Uninstall.exe";
  if (!CopyFileW(uninstaller.c_str(), copy.c_str(), FALSE)) return std::nullopt;
  // _?= names the installation and keeps the uninstaller from handing over to
  // a copy of itself that nobody can wait for.
  return RunWithEnvironment(QuoteArgument(copy) + L" /S _?=" + folder, {}, {}, kSetupTimeoutMs);
}

std::optional<std::wstring> ReadText(HKEY root, const std::wstring& key, const std::wstring& name,
                                     REGSAM view) {
  UniqueRegKey opened;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE | view, opened.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD size = 0;
  if (RegGetValueW(opened.get(), nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring text(size / sizeof(wchar_t), L'\0');
  if (RegGetValueW(opened.get(), nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(),
                   &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

bool KeyExists(HKEY root, const std::wstring& key, REGSAM view) {
  UniqueRegKey opened;
  return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | view, opened.put()) == ERROR_SUCCESS;
}

std::vector<std::wstring> MonitorNames() {
  const auto [buffer, count] =
      Enumerate([](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumMonitorsW(nullptr, 1, data, size, needed, returned);
      });
  const auto* entries = reinterpret_cast<const MONITOR_INFO_1W*>(buffer.data());
  std::vector<std::wstring> names;
  for (DWORD i = 0; i < count; ++i) names.push_back(Text(entries[i].pName));
  return names;
}

std::vector<ListedPort> ListedPorts() {
  const auto [buffer, count] =
      Enumerate([](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPortsW(nullptr, 2, data, size, needed, returned);
      });
  const auto* entries = reinterpret_cast<const PORT_INFO_2W*>(buffer.data());
  std::vector<ListedPort> ports;
  for (DWORD i = 0; i < count; ++i) {
    ports.push_back(
        {Text(entries[i].pPortName), Text(entries[i].pMonitorName), Text(entries[i].pDescription)});
  }
  return ports;
}

std::vector<std::wstring> PrinterNames() {
  const auto [buffer, count] =
      Enumerate([](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, data, size, needed, returned);
      });
  const auto* entries = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  std::vector<std::wstring> names;
  for (DWORD i = 0; i < count; ++i) names.push_back(Text(entries[i].pPrinterName));
  return names;
}

std::vector<ListedPrinter> ListedPrinters() {
  const auto [buffer, count] =
      Enumerate([](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, returned);
      });
  const auto* entries = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  std::vector<ListedPrinter> printers;
  for (DWORD i = 0; i < count; ++i) {
    printers.push_back(
        {Text(entries[i].pPrinterName), Text(entries[i].pPortName), Text(entries[i].pDriverName)});
  }
  return printers;
}

std::optional<ListedPrinter> FindPrinter(const std::wstring& name) {
  for (ListedPrinter& printer : ListedPrinters()) {
    if (printer.name == name) return std::move(printer);
  }
  return std::nullopt;
}

std::optional<DWORD> RunPrinterSetup(const std::wstring& arguments, const std::wstring& folder) {
  return RunWithEnvironment(QuoteArgument(folder + L"\\printer_setup.exe") + L" " + arguments, {},
                            {}, kSetupTimeoutMs);
}

std::vector<std::wstring> PrinterDriverNames() {
  const auto [buffer, count] =
      Enumerate([](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPrinterDriversW(nullptr, nullptr, 1, data, size, needed, returned);
      });
  const auto* entries = reinterpret_cast<const DRIVER_INFO_1W*>(buffer.data());
  std::vector<std::wstring> names;
  for (DWORD i = 0; i < count; ++i) names.push_back(Text(entries[i].pName));
  return names;
}

std::vector<std::wstring> RemainingTraces(const std::wstring& folder) {
  std::vector<std::wstring> traces;
  const auto note = [&](bool present, const std::wstring& what) {
    if (present) traces.push_back(what);
  };
  note(PathExists(folder), L"program folder " + folder);
  note(PathExists(ExpandedFolder(L"%ProgramFiles%") + L"\\Quillmar"), L"company folder");
  note(PathExists(SettingsShortcut()), L"Start menu shortcut");
  note(PathExists(SystemFolder() + L"\\corvale.dll"), L"corvale.dll in the system folder");
  note(PathExists(SystemWow64Folder() + L"\\corvale.dll"),
       L"corvale.dll in the 32-bit system folder");
  note(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey), L"settings key");
  note(KeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quillmar"), L"company key");
  note(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey), L"uninstall entry");
  for (const auto& [view, name] : {std::pair{KEY_WOW64_64KEY, L" (64-bit view)"},
                                   std::pair{KEY_WOW64_32KEY, L" (32-bit view)"}}) {
    note(KeyExists(HKEY_CLASSES_ROOT, kSettingsProgId, view),
         L"settings ProgID" + std::wstring(name));
    note(KeyExists(HKEY_CLASSES_ROOT, kSettingsClsidKey, view),
         L"settings class" + std::wstring(name));
    note(KeyExists(HKEY_CLASSES_ROOT, kSettingsTypeLibKey, view),
         L"settings type library" + std::wstring(name));
    note(KeyExists(HKEY_CLASSES_ROOT, kSettingsInterfaceKey, view),
         L"settings interface" + std::wstring(name));
  }
  note(Contains(MonitorNames(), kMonitorName), L"monitor listed");
  note(KeyExists(HKEY_LOCAL_MACHINE, kMonitorKey), L"monitor key");
  const auto ports = ListedPorts();
  note(std::any_of(ports.begin(), ports.end(),
                   [](const ListedPort& p) { return p.description == kPortDescription; }),
       L"port listed");
  note(Contains(PrinterNames(), kPrinterName), L"printer listed");
  for (const ListedPrinter& printer : ListedPrinters()) {
    note(SameText(printer.port, kPortName), L"printer " + printer.name + L" on the port");
  }
  const auto drivers = PrinterDriverNames();
  note(std::any_of(drivers.begin(), drivers.end(),
                   [](const std::wstring& d) { return d.find(L"Quillmar") != std::wstring::npos; }),
       L"printer driver");
  for (const wchar_t* copy : {L"\\quillmar.ppd", L"\\3\\quillmar.ppd"}) {
    note(PathExists(PrinterDriverFolder() + copy), std::wstring(L"printer description ") + copy);
  }
  const wchar_t* const deviceKeys[] = {
      L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices",
      L"Software\\Microsoft\\Windows NT\\CurrentVersion\\PrinterPorts"};
  for (const wchar_t* key : deviceKeys) {
    note(ReadText(HKEY_CURRENT_USER, key, kPrinterName).has_value(),
         std::wstring(L"printer value under HKCU\\") + key);
  }
  return traces;
}

PrefixStateKeeper::PrefixStateKeeper() {
  settingsLibrary_ =
      ReadText(HKEY_CLASSES_ROOT, std::wstring(kSettingsClsidKey) + L"\\InprocServer32", L"");
}

PrefixStateKeeper::~PrefixStateKeeper() {
  // Another test program's copy of the settings library, registered before us.
  if (settingsLibrary_ && PathExists(*settingsLibrary_) &&
      !KeyExists(HKEY_CLASSES_ROOT, kSettingsClsidKey)) {
    RunWithEnvironment(QuoteArgument(SystemFolder() + L"\\regsvr32.exe") + L" /s " +
                           QuoteArgument(*settingsLibrary_),
                       {}, {}, kSetupTimeoutMs);
  }
}
