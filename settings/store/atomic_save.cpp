#include "atomic_save.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "save_file_names.h"
#include "system_error.h"
#include "unique_resource.h"

namespace {

std::wstring FullPath(const std::wstring& path) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) ThrowLastError();
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(length);
  }
}

void WriteWholeFile(const std::wstring& filename, std::string_view bytes, DWORD attributes) {
  UniqueFileHandle file(
      CreateFileW(filename.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
  if (!file) ThrowLastError();
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr)) ThrowLastError();
    if (written == 0) throw SystemError(ERROR_WRITE_FAULT);
    done += written;
  }
  if (!FlushFileBuffers(file.get())) ThrowLastError();
  HANDLE raw = file.release();
  if (!CloseHandle(raw)) ThrowLastError();
}

bool IsRunning(const SaveWriter& writer) {
  if (writer.processId == GetCurrentProcessId()) {
    if (writer.threadId == GetCurrentThreadId()) return false;
    UniqueHandle thread(
        OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, writer.threadId));
    return thread && GetProcessIdOfThread(thread.get()) == writer.processId &&
           WaitForSingleObject(thread.get(), 0) == WAIT_TIMEOUT;
  }
  UniqueHandle process(
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, writer.processId));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to see
  return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// Removes what killed saves of `targetName` left in `folder` (long-path form).
void RemoveLeftovers(const std::wstring& folder, const std::wstring& targetName) noexcept {
  try {
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(
        FindFirstFileW((folder + TemporaryFilePattern(targetName)).c_str(), &found));
    if (!search) return;
    do {
      const auto writer = TemporaryFileWriter(targetName, found.cFileName);
      if (writer && !IsRunning(*writer)) DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search.get(), &found));
  } catch (...) {
    // A leftover that stays is removed by a later save.
  }
}

// Replaces the existing `target` by `temporary` with ReplaceFileW, which gives
// the new file the old one's security, attributes and streams. Its error, or
// ERROR_SUCCESS.
DWORD ReplaceExisting(const std::wstring& target, const std::wstring& temporary) {
  // On a target held open without shared deletion, Wine's ReplaceFileW fails
  // and leaves an empty file of its own beside it ("rf*.tmp"); such a target
  // is refused before.
  {
    const UniqueFileHandle probe(CreateFileW(target.c_str(), DELETE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
    if (!probe) return GetLastError();
  }
  if (ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr)) {
    return ERROR_SUCCESS;
  }
  return GetLastError();
}

// Puts the complete `temporary` in the place of `target`: an existing target is
// replaced, only a new one is renamed into place. Sets `keepTemporary` when the
// temporary file holds the only copy of the settings.
void PutInPlace(const std::wstring& temporary, const std::wstring& target, bool exists,
                bool& keepTemporary) {
  if (exists) {
    const DWORD error = ReplaceExisting(target, temporary);
    if (error == ERROR_SUCCESS) return;
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
      // Without a backup file this failure has removed the old file already:
      // the new one takes its place by a rename, or stays where it is.
      keepTemporary = true;
    } else if (error != ERROR_FILE_NOT_FOUND) {  // not found: the target has gone since
      throw SystemError(error);
    }
  }
  if (!MoveFileExW(temporary.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ThrowLastError();
  }
}

}  // namespace

void ReplaceFileContent(const std::wstring& filename, std::string_view bytes) {
  const std::wstring target = LongPathForm(FullPath(filename));
  const std::size_t nameStart = target.find_last_of(L'\\') + 1;
  const std::wstring folder = target.substr(0, nameStart);
  const std::wstring targetName = target.substr(nameStart);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  // Neither a folder nor a read-only file is replaced, on any platform (Wine's
  // ReplaceFileW would put the file in the place of a folder).
  if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
    throw SystemError(ERROR_ACCESS_DENIED);
  }
  const std::wstring temporary =
      folder + TemporaryFileName(targetName, {GetCurrentProcessId(), GetCurrentThreadId()});
  // A hidden or system file stays so: Wine's ReplaceFileW leaves the new file
  // its own attributes, so the new file has them from the start.
  const DWORD kept = exists ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;
  bool keepTemporary = false;
  try {
    WriteWholeFile(temporary, bytes, kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
    PutInPlace(temporary, target, exists, keepTemporary);
  } catch (...) {
    if (!keepTemporary) {
      const DWORD lastError = GetLastError();
      DeleteFileW(temporary.c_str());
      SetLastError(lastError);
    }
    throw;
  }
  RemoveLeftovers(folder, targetName);
}
