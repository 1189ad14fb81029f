#include "output_wait.h"

#include <optional>

#include "entry_boundary.h"
#include "monitor_event.h"
#include "text_rules.h"
#include "unique_resource.h"
#include "wait_schedule.h"

namespace {

int64_t SystemTimeUnits() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) |
                              now.dwLowDateTime);
}

// Signalled when a name in the file's folder changes or a file there is
// written: a PDF renamed into place is seen at once, whoever wrote it.
UniqueChangeNotification WatchFolderOf(const std::wstring& path) {
  const std::wstring folder = FolderOfPath(path);
  if (folder.empty()) return {};
  return UniqueChangeNotification(FindFirstChangeNotificationW(
      folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE));
}

EntryResult WaitForFile(const std::wstring& path, DWORD timeoutMs) {
  if (OutputExists(path)) return Succeeded();
  const UniqueHandle event = OpenMonitorEvent();
  const UniqueChangeNotification folderChange = WatchFolderOf(path);
  HANDLE wakers[2];
  DWORD wakerCount = 0;
  if (event) wakers[wakerCount++] = event.get();
  const DWORD folderWaker = WAIT_OBJECT_0 + wakerCount;
  if (folderChange) wakers[wakerCount++] = folderChange.get();

  const int64_t start = SystemTimeUnits();
  while (const std::optional<uint32_t> pass =
             NextPassMilliseconds(start, timeoutMs, SystemTimeUnits())) {
    if (wakerCount == 0) {
      Sleep(*pass);
    } else if (WaitForMultipleObjects(wakerCount, wakers, FALSE, *pass) == folderWaker &&
               folderChange) {
      // Armed again before the test, so that no change after it is missed.
      FindNextChangeNotification(folderChange.get());
    }
    if (OutputExists(path)) return Succeeded();
  }
  return OutputExists(path) ? Succeeded() : Failed(ERROR_TIMEOUT);
}

// The name in the ANSI code page as UTF-16, within MAX_PATH code units.
std::optional<std::wstring> WidenAnsiName(LPCSTR name) {
  if (!name) return std::nullopt;
  wchar_t buffer[MAX_PATH];
  const int units = MultiByteToWideChar(CP_ACP, 0, name, -1, buffer, MAX_PATH);
  if (units <= 0) return std::nullopt;
  return std::wstring(buffer, static_cast<size_t>(units - 1));
}

}  // namespace

bool OutputExists(const std::wstring& path) {
  UniqueFileHandle file(CreateFileW(
      path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
      FILE_ATTRIBUTE_NORMAL | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
  return static_cast<bool>(file);
}

BOOL WINAPI WaitForOutput(LPCSTR fileName, DWORD timeoutMs) {
  return RunExport([&] {
    const std::optional<std::wstring> path = WidenAnsiName(fileName);
    return path ? WaitForFile(*path, timeoutMs) : Failed(ERROR_INVALID_NAME);
  });
}

BOOL WINAPI WaitForOutputW(LPCWSTR fileName, DWORD timeoutMs) {
  return RunExport(
      [&] { return fileName ? WaitForFile(fileName, timeoutMs) : Failed(ERROR_INVALID_NAME); });
}
