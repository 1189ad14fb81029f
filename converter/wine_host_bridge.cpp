#include "wine_host_bridge.h"

#include <windows.h>

#include <cstdlib>

#include "file_system.h"
#include "running_under_wine.h"
#include "unique_resource.h"

namespace {

const wchar_t kHostShell[] = L"Z:\\bin\\sh";

RunResult Failure(std::wstring text) { return RunResult{false, 0, std::move(text)}; }

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

// A host program gives no process handle: the host shell runs it and then
// writes its exit code to a marker file, which appears whole (written aside,
// then renamed) once the program has ended.
RunResult RunHostProgram(const std::wstring& program, const std::vector<std::wstring>& arguments,
                         unsigned long timeoutMs) {
  wchar_t temp[MAX_PATH];
  wchar_t reserved[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, temp) || !GetTempFileNameW(temp, L"gsx", 0, reserved)) {
    return Failure(L"No temporary file for the exit code of " + program);
  }
  // The unique name stays taken while the program runs, so that no other run
  // (a converter started at the same moment) is given the same marker.
  const ScopeExit release([&] { DeleteFileW(reserved); });
  const std::wstring marker = std::wstring(reserved) + L".exit";
  const std::optional<std::wstring> hostMarker = HostPath(marker);
  const std::optional<std::wstring> hostProgram = HostPath(program);
  if (!hostMarker || !hostProgram) return Failure(L"No host path for " + program);
  std::vector<std::wstring> shellArguments = {
      L"-c", L"\"$@\" </dev/null >/dev/null 2>&1; echo $? >\"$0.part\"; mv \"$0.part\" \"$0\"",
      *hostMarker, *hostProgram};
  shellArguments.insert(shellArguments.end(), arguments.begin(), arguments.end());
  // The marker's rename into place wakes the wait at once; without a watch of
  // the folder, the marker is looked for every 20 ms.
  const UniqueChangeNotification markerFolderChange(
      FindFirstChangeNotificationW(temp, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
  if (!StartProgram(kHostShell, shellArguments)) return Failure(L"Could not start " + program);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    UniqueFileHandle file(CreateFileW(marker.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      char text[16] = {};
      DWORD read = 0;
      ReadFile(file.get(), text, sizeof text - 1, &read, nullptr);
      file.reset();
      DeleteFileW(marker.c_str());
      return RunResult{true, static_cast<unsigned long>(strtoul(text, nullptr, 10)), {}};
    }
    if (GetTickCount64() >= deadline) return Failure(program + L" did not finish in time");
    if (markerFolderChange) {
      WaitForSingleObject(markerFolderChange.get(), 20);
      FindNextChangeNotification(markerFolderChange.get());
    } else {
      Sleep(20);
    }
  }
}
