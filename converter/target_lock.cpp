#include "target_lock.h"

#include <windows.h>
#include <aclapi.h>

#include <algorithm>

#include "ghostscript.h"
#include "job_failure.h"
#include "lock_file_rule.h"
#include "output_name.h"
#include "user_log_file.h"

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

// The facts of the lock file in the way, read through a handle on the entry
// itself (a link is not followed); opening it for its attributes and owner
// only takes no part in the sharing that a holder's lock keeps. Nothing when
// it cannot be opened (gone, or on its way out).
std::optional<LockFileFacts> ReadLockFile(const std::wstring& lock) {
  const UniqueFileHandle file(
      CreateFileW(lock.c_str(), FILE_READ_ATTRIBUTES | READ_CONTROL,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (!file || !GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
  // A file system may show a link in its folder's listing only.
  const DWORD listed = GetFileAttributesW(lock.c_str());
  const DWORD attributes =
      information.dwFileAttributes | (listed == INVALID_FILE_ATTRIBUTES ? 0 : listed);
  LockFileFacts facts;
  facts.isFolder = attributes & FILE_ATTRIBUTE_DIRECTORY;
  facts.isLink = attributes & FILE_ATTRIBUTE_REPARSE_POINT;
  facts.size =
      (static_cast<unsigned long long>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(file.get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                      nullptr, nullptr, &descriptor) == ERROR_SUCCESS) {
    const UniqueLocalMemory descriptorMemory(descriptor);
    facts.ownerSid = SidText(owner).value_or(L"");
  }
  facts.userSid = CallerSidText().value_or(L"");
  return facts;
}

// Fails the job at once when the lock file in the way is no job's lock.
void RefuseForeignLock(const std::wstring& target, const std::wstring& lock) {
  const std::optional<LockFileFacts> facts = ReadLockFile(lock);
  if (!facts) return;
  if (const std::optional<std::wstring> reason = WhyNotAJobsLock(*facts)) {
    throw JobFailure{L"The output file " + target + L" cannot be written: its lock file " + lock +
                     L" was not made by a job (" + *reason +
                     L"). Remove it, or choose another output file."};
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
    if (error == ERROR_FILE_EXISTS || error == ERROR_SHARING_VIOLATION ||
        error == ERROR_ACCESS_DENIED) {
      RefuseForeignLock(target, lock);
    }
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
