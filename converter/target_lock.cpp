#include "target_lock.h"

#include <windows.h>

#include <algorithm>

#include "ghostscript.h"
#include "job_failure.h"
#include "output_name.h"

namespace {

// Longer than one job holds the lock: its Ghostscript run and the renames.
constexpr ULONGLONG kLongestHoldMs = kConversionTimeoutMs + 60 * 1000;
// Between two attempts when no change in the folder wakes the wait first.
constexpr DWORD kRetryMs = 100;

std::wstring ErrorText(DWORD error) { return L" (error " + std::to_wstring(error) + L")"; }

// Access is denied both to a lock file being deleted, which is still there, and
// in a folder that cannot be written, where it is not.
bool IsThere(const std::wstring& lock) {
  if (GetFileAttributesW(lock.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

// A lock file that nobody holds and that holds nothing was left by a converter
// of a machine that stopped; a held one cannot be deleted (no sharing).
void RemoveIfLeftOver(const std::wstring& lock) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (GetFileAttributesExW(lock.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeHigh == 0 &&
      data.nFileSizeLow == 0) {
    DeleteFileW(lock.c_str());
  }
}

}  // namespace

TargetLock::TargetLock(const std::wstring& target) {
  const std::wstring lock = target + L".lock";
  const UniqueChangeNotification changes(
      FindFirstChangeNotificationW(FolderOf(target).c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
  const ULONGLONG deadline = GetTickCount64() + kLongestHoldMs;
  for (;;) {
    file_.reset(CreateFileW(lock.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (file_) return;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS) {
      RemoveIfLeftOver(lock);
    } else if (error != ERROR_SHARING_VIOLATION &&
               !(error == ERROR_ACCESS_DENIED && IsThere(lock))) {
      throw JobFailure{L"The output file " + target + L" cannot be written: the lock file " + lock +
                       L" cannot be made" + ErrorText(error) + L"."};
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) {
      throw JobFailure{L"The output file " + target + L" stayed locked by " + lock +
                       L"; remove that file if no job is writing to it."};
    }
    const DWORD pause = static_cast<DWORD>(std::min<ULONGLONG>(kRetryMs, deadline - now));
    if (changes) {
      WaitForSingleObject(changes.get(), pause);
      FindNextChangeNotification(changes.get());
    } else {
      Sleep(pause);
    }
  }
}
