#include "external_program.h"

#include <windows.h>

#include "file_system.h"
#include "ghostscript_command.h"
#include "ghostscript_release.h"
#include "product_names.h"
#include "registry_read.h"
#include "running_under_wine.h"
#include "unique_resource.h"

namespace {

const wchar_t kHostShell[] = L"Z:\\bin\\sh";
const wchar_t kHostGhostscript[] = L"Z:\\usr\\bin\\gs";

// The console program beside the GS_DLL of the latest release under
// Ghostscript's own key.
std::wstring FromGhostscriptRegistry() {
  UniqueRegKey releases;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\GPL Ghostscript", 0, KEY_READ | KEY_WOW64_64KEY,
                    releases.put()) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring newest;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(releases.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    if (newest.empty() || IsLaterRelease(name, newest)) newest = name;
  }
  if (newest.empty()) return {};
  const std::wstring dll = RegReadText(L"HKLM\\SOFTWARE\\GPL Ghostscript\\" + newest + L"\\GS_DLL");
  const std::size_t slash = dll.rfind(L'\\');
  if (slash == std::wstring::npos) return {};
  return dll.substr(0, slash + 1) + kGhostscriptConsoleProgram;
}

RunResult Failure(std::wstring text) { return RunResult{false, 0, std::move(text)}; }

// Starts the program; `process` receives its handle where the system gives one.
bool Start(std::wstring commandLine, UniqueHandle& process) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &info)) {
    return false;
  }
  UniqueHandle thread(info.hThread);
  process.reset(info.hProcess);
  return true;
}

RunResult RunWindowsProgram(const ExternalProgram& program,
                            const std::vector<std::wstring>& arguments, unsigned long timeoutMs) {
  UniqueHandle process;
  if (!Start(BuildCommandLine(program.path, arguments), process) || !process) {
    return Failure(L"Could not start " + program.path);
  }
  if (WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 1);
    return Failure(program.path + L" did not finish in time");
  }
  DWORD exitCode = 1;
  GetExitCodeProcess(process.get(), &exitCode);
  return RunResult{true, exitCode, {}};
}

// A host program gives no process handle: the host shell runs it and then
// writes its exit code to a marker file, which appears whole (written aside,
// then renamed) once the program has ended.
RunResult RunHostProgram(const ExternalProgram& program, const std::vector<std::wstring>& arguments,
                         unsigned long timeoutMs) {
  wchar_t temp[MAX_PATH];
  wchar_t marker[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, temp) || !GetTempFileNameW(temp, L"gsx", 0, marker)) {
    return Failure(L"No temporary file for the exit code of " + program.path);
  }
  DeleteFileW(marker);
  const std::optional<std::wstring> hostMarker = HostPath(marker);
  const std::optional<std::wstring> hostProgram = HostPath(program.path);
  if (!hostMarker || !hostProgram) return Failure(L"No host path for " + program.path);
  std::vector<std::wstring> shellArguments = {
      L"-c", L"\"$@\" </dev/null >/dev/null 2>&1; echo $? >\"$0.part\"; mv \"$0.part\" \"$0\"",
      *hostMarker, *hostProgram};
  shellArguments.insert(shellArguments.end(), arguments.begin(), arguments.end());
  // The marker's rename into place wakes the wait at once; without a watch of
  // the folder, the marker is looked for every 20 ms.
  const UniqueChangeNotification markerFolderChange(
      FindFirstChangeNotificationW(temp, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
  UniqueHandle ignored;
  if (!Start(BuildCommandLine(kHostShell, shellArguments), ignored)) {
    return Failure(L"Could not start " + program.path);
  }
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    UniqueFileHandle file(CreateFileW(marker, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      char text[16] = {};
      DWORD read = 0;
      ReadFile(file.get(), text, sizeof text - 1, &read, nullptr);
      file.reset();
      DeleteFileW(marker);
      return RunResult{true, static_cast<unsigned long>(strtoul(text, nullptr, 10)), {}};
    }
    if (GetTickCount64() >= deadline) return Failure(program.path + L" did not finish in time");
    if (markerFolderChange) {
      WaitForSingleObject(markerFolderChange.get(), 20);
      FindNextChangeNotification(markerFolderChange.get());
    } else {
      Sleep(20);
    }
  }
}

}  // namespace

bool HostProgramsAvailable() { return RunningUnderWine() && IsFile(kHostShell); }

std::optional<std::wstring> HostPath(const std::wstring& windowsPath) {
  using UnixName = char*(CDECL*)(LPCWSTR);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto toUnix = kernel ? reinterpret_cast<UnixName>(reinterpret_cast<void*>(
                                   GetProcAddress(kernel, "wine_get_unix_file_name")))
                             : nullptr;
  if (!toUnix || windowsPath.find(L'\0') != std::wstring::npos) return std::nullopt;
  char* unixName = toUnix(windowsPath.c_str());
  if (!unixName) return std::nullopt;
  const int length = MultiByteToWideChar(CP_UTF8, 0, unixName, -1, nullptr, 0);
  std::wstring result(length > 0 ? length - 1 : 0, L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, unixName, -1, result.data(), length);
  HeapFree(GetProcessHeap(), 0, unixName);
  if (result.empty()) return std::nullopt;
  return result;
}

std::optional<ExternalProgram> FindGhostscript() {
  if (std::wstring setting =
          RegReadText(std::wstring(product_names::kSettingsValuePath) + L"Ghostscript");
      !setting.empty() && IsFile(setting)) {
    return ExternalProgram{setting, false};
  }
  if (std::wstring registered = FromGhostscriptRegistry();
      !registered.empty() && IsFile(registered)) {
    return ExternalProgram{registered, false};
  }
  if (HostProgramsAvailable() && IsFile(kHostGhostscript)) {
    return ExternalProgram{kHostGhostscript, true};
  }
  return std::nullopt;
}

RunResult RunExternalProgram(const ExternalProgram& program,
                             const std::vector<std::wstring>& arguments, unsigned long timeoutMs) {
  return program.hostProgram ? RunHostProgram(program, arguments, timeoutMs)
                             : RunWindowsProgram(program, arguments, timeoutMs);
}
