#include "atomic_save.h"

#include <windows.h>

#include <algorithm>

#include "long_path.h"
#include "save_file_names.h"
#include "system_error.h"
#include "unique_resource.h"
#include "writer_liveness.h"

namespace {

// Writes `bytes` at the start of the open `file`, cuts it after them and
// flushes it; the handle is closed, and a failure to close reported.
void WriteAndClose(UniqueFileHandle file, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr)) ThrowLastError();
    if (written == 0) throw SystemError(ERROR_WRITE_FAULT);
    done += written;
  }
  if (!SetEndOfFile(file.get()) || !FlushFileBuffers(file.get())) ThrowLastError();
  HANDLE raw = file.release();
  if (!CloseHandle(raw)) ThrowLastError();
}

void WriteWholeFile(const std::wstring& filename, std::string_view bytes, DWORD attributes) {
  UniqueFileHandle file(
      CreateFileW(filename.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
  if (!file) ThrowLastError();
  WriteAndClose(std::move(file), bytes);
}

// The existing `target` rewritten where it is, for a folder that lets its files
// be written but takes no new file and lets none be deleted: the save then
// needs no more rights than writing the file. Throws `refusal` when the target
// does not open for writing either.
void RewriteInPlace(const std::wstring& target, std::string_view bytes, DWORD refusal) {
  UniqueFileHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
  if (!file) throw SystemError(refusal);
  WriteAndClose(std::move(file), bytes);
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

// Whether `target` opens for deletion, as ReplaceFileW needs: its error, or
// ERROR_SUCCESS. On a target held open without shared deletion, Wine's
// ReplaceFileW fails and leaves an empty file of its own beside it
// ("rf*.tmp"); such a target is refused before.
DWORD DeleteAccessError(const std::wstring& target) {
  const UniqueFileHandle probe(CreateFileW(target.c_str(), DELETE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
  return probe ? ERROR_SUCCESS : GetLastError();
}

// Replaces the existing `target` by `temporary` with ReplaceFileW, which gives
// the new file the old one's security, attributes and streams. Its error, or
// ERROR_SUCCESS.
DWORD ReplaceExisting(const std::wstring& target, const std::wstring& temporary) {
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
  const std::wstring target = LongPath(filename);
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
  if (exists) {
    const DWORD refusal = DeleteAccessError(target);
    if (refusal == ERROR_ACCESS_DENIED) return RewriteInPlace(target, bytes, refusal);
    if (refusal != ERROR_SUCCESS && refusal != ERROR_FILE_NOT_FOUND) throw SystemError(refusal);
  }
  const std::wstring temporary =
      folder + TemporaryFileName(targetName, {GetCurrentProcessId(), GetCurrentThreadId()});
  // A hidden or system file stays so: Wine's ReplaceFileW leaves the new file
  // its own attributes, so the new file has them from the start.
  const DWORD kept = exists ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;
  try {
    WriteWholeFile(temporary, bytes, kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
  } catch (const SystemError& error) {
    DeleteFileW(temporary.c_str());
    if (exists && error.Code() == ERROR_ACCESS_DENIED) {
      return RewriteInPlace(target, bytes, error.Code());
    }
    throw;
  }
  bool keepTemporary = false;
  try {
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
