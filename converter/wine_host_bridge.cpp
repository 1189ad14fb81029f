#include "wine_host_bridge.h"

#include <windows.h>

#include <cstdlib>

#include "file_system.h"
#include "running_under_wine.h"
#include "unique_resource.h"

namespace {

const wchar_t kHostShell[] = L"Z:\\bin\\sh";

RunResult Failure(std::wstring text) { return RunResult{false, false, 0, std::move(text)}; }

// The output that the host program wrote to its file since `offset`, handed
// to the watch.
void ForwardNewOutput(const std::wstring& file, unsigned long long& offset, const RunWatch& watch) {
  const UniqueFileHandle output(CreateFileW(
      file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!output) return;
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(output.get(), at, nullptr, FILE_BEGIN)) return;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(output.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    offset += read;
    if (watch.onOutput) watch.onOutput(std::string_view(buffer, read));
  }
}

// Ends the host program whose process id the shell wrote to `pidFile`; false
// while that file is not there yet.
bool EndHostProgram(const std::wstring& pidFile) {
  const std::optional<std::wstring> hostPidFile = HostPath(pidFile);
  if (!IsFile(pidFile) || !hostPidFile) return false;
  return StartProgram(kHostShell, {L"-c", L"kill $(cat \"$0\")", *hostPidFile});
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

// A host program gives no process handle: the host shell runs it and then
// writes its exit code to a marker file, which appears whole (written aside,
// then renamed) once the program has ended.
RunResult RunHostProgram(const std::wstring& program, const std::vector<std::wstring>& arguments,
                         unsigned long timeoutMs, const RunWatch* watch) {
  wchar_t temp[MAX_PATH];
  wchar_t reserved[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, temp) || !GetTempFileNameW(temp, L"gsx", 0, reserved)) {
    return Failure(L"No temporary file for the exit code of " + program);
  }
  // The unique name stays taken while the program runs, so that no other run
  // (a converter started at the same moment) is given the same marker.
  const ScopeExit release([&] { DeleteFileW(reserved); });
  const std::wstring marker = std::wstring(reserved) + L".exit";
  // Beside the marker: the program's output for a watch, and its process id.
  const std::wstring outputFile = marker + L".out";
  const std::wstring pidFile = marker + L".pid";
  const ScopeExit removeAside([&] {
    DeleteFileW(outputFile.c_str());
    DeleteFileW(pidFile.c_str());
  });
  const std::optional<std::wstring> hostMarker = HostPath(marker);
  const std::optional<std::wstring> hostProgram = HostPath(program);
  const std::optional<std::wstring> hostOutput =
      watch ? HostPath(outputFile) : std::optional<std::wstring>(L"/dev/null");
  if (!hostMarker || !hostProgram || !hostOutput) return Failure(L"No host path for " + program);
  std::vector<std::wstring> shellArguments = {
      L"-c",
      L"out=$1; shift; \"$@\" </dev/null >\"$out\" 2>/dev/null & echo $! >\"$0.pid\"; wait $!; "
      L"echo $? >\"$0.part\"; mv \"$0.part\" \"$0\"",
      *hostMarker, *hostOutput, *hostProgram};
  shellArguments.insert(shellArguments.end(), arguments.begin(), arguments.end());
  // The marker's rename into place wakes the wait at once; without a watch of
  // the folder, the marker is looked for every 20 ms.
  const UniqueChangeNotification markerFolderChange(
      FindFirstChangeNotificationW(temp, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
  if (!StartProgram(kHostShell, shellArguments)) return Failure(L"Could not start " + program);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  unsigned long long outputRead = 0;
  bool ending = false;  // the program is being ended: cancelled
  for (;;) {
    if (watch) ForwardNewOutput(outputFile, outputRead, *watch);
    if (watch && !ending && watch->Cancelled()) ending = EndHostProgram(pidFile);
    UniqueFileHandle file(CreateFileW(marker.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      char text[16] = {};
      DWORD read = 0;
      ReadFile(file.get(), text, sizeof text - 1, &read, nullptr);
      file.reset();
      DeleteFileW(marker.c_str());
      if (watch) ForwardNewOutput(outputFile, outputRead, *watch);
      if (ending) return RunResult{false, true, 0, program + L" was cancelled"};
      return RunResult{true, false, static_cast<unsigned long>(strtoul(text, nullptr, 10)), {}};
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
