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

void WriteWholeFile(const std::wstring& filename, std::string_view bytes) {
  UniqueFileHandle file(CreateFileW(filename.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
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

}  // namespace

void ReplaceFileContent(const std::wstring& filename, std::string_view bytes) {
  const std::wstring target = LongPathForm(FullPath(filename));
  const std::size_t nameStart = target.find_last_of(L'\\') + 1;
  const std::wstring folder = target.substr(0, nameStart);
  const std::wstring targetName = target.substr(nameStart);
  // Windows refuses to rename over a read-only file; some platforms do not, so
  // the save asks first and refuses the same way everywhere.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    throw SystemError(ERROR_ACCESS_DENIED);
  }
  const std::wstring temporary =
      folder + TemporaryFileName(targetName, {GetCurrentProcessId(), GetCurrentThreadId()});
  try {
    WriteWholeFile(temporary, bytes);
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      ThrowLastError();
    }
  } catch (...) {
    const DWORD lastError = GetLastError();
    DeleteFileW(temporary.c_str());
    SetLastError(lastError);
    throw;
  }
  RemoveLeftovers(folder, targetName);
}
