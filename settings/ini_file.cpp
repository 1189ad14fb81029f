#include "ini_file.h"

#include <windows.h>

#include <algorithm>

#include "ansi_text.h"
#include "automation_error.h"
#include "ini_text.h"
#include "object_factory.h"
#include "system_error.h"
#include "system_message.h"
#include "unexpected_exception.h"
#include "unique_resource.h"

namespace {

std::string ReadWholeFile(const std::wstring& filename) {
  UniqueFileHandle file(CreateFileW(filename.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) ThrowLastError();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) ThrowLastError();
  if (static_cast<unsigned long long>(size.QuadPart) > 0x7FFFFFFFull) {
    throw SystemError(ERROR_FILE_TOO_LARGE);
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read,
                  nullptr)) {
      ThrowLastError();
    }
    if (read == 0) break;  // the file shrank while we read it
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

// The temporary file that a save writes before it replaces the target: beside
// the target (same volume, so the replacement is one rename), one per thread.
std::wstring TemporaryNameFor(const std::wstring& filename) {
  return filename + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(GetCurrentThreadId()) + L".tmp";
}

void WriteWholeFile(const std::wstring& filename, const std::string& bytes) {
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

void ReplaceWithNewContent(const std::wstring& filename, const std::string& bytes) {
  const std::wstring temporary = TemporaryNameFor(filename);
  try {
    WriteWholeFile(temporary, bytes);
    if (!MoveFileExW(temporary.c_str(), filename.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      ThrowLastError();
    }
  } catch (...) {
    const DWORD lastError = GetLastError();
    DeleteFileW(temporary.c_str());
    SetLastError(lastError);
    throw;
  }
}

}  // namespace

bool IniFile::Load(const std::wstring& filename) noexcept {
  ClearError();
  try {
    DictionaryPtr root = NewDictionary();
    data_ = root;
    const std::wstring text = AnsiToWide(ReadWholeFile(filename));
    ParseIniText(text, *root, NewDictionary);
    return true;
  } catch (...) {
    RecordCurrentException();
    return false;
  }
}

bool IniFile::Save(const std::wstring& filename) noexcept {
  ClearError();
  try {
    if (!data_) throw SystemError(ERROR_INVALID_DATA);
    ReplaceWithNewContent(filename, WideToAnsi(FormatIniText(*data_)));
    return true;
  } catch (...) {
    RecordCurrentException();
    return false;
  }
}

void IniFile::Reset() noexcept {
  ClearError();
  data_.reset();
}

void IniFile::ClearError() noexcept {
  lastError_ = 0;
  lastErrorMessage_.clear();
}

void IniFile::RecordError(std::int32_t number,
                          const std::function<std::wstring()>& message) noexcept {
  lastError_ = number;
  try {
    lastErrorMessage_ = message();
  } catch (...) {
    lastErrorMessage_.clear();  // the number alone still tells what failed
  }
}

void IniFile::RecordCurrentException() noexcept {
  try {
    throw;
  } catch (const SystemError& error) {
    RecordError(static_cast<std::int32_t>(error.Code()),
                [&] { return SystemMessage(error.Code()); });
  } catch (const AutomationError& error) {
    RecordError(error.Number() != 0 ? error.Number() : E_FAIL, [&] { return error.Description(); });
  } catch (...) {
    const UnexpectedAutomationError error = UnexpectedExceptionAutomationError();
    RecordError(error.number, [&] { return std::wstring(error.description); });
  }
}
