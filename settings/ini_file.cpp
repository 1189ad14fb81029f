#include "ini_file.h"

#include <windows.h>

#include <optional>

#include "ansi_text.h"
#include "atomic_save.h"
#include "automation_error.h"
#include "file_text_encoding.h"
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

// The text of a settings file's bytes, in the encoding that their start announces.
std::wstring DecodeFileText(std::string_view bytes) {
  const FileEncoding encoding = DetectEncoding(bytes);
  const std::string_view body = WithoutByteOrderMark(bytes, encoding);
  switch (encoding) {
    case FileEncoding::Utf8:
      return Utf8ToWide(body);
    case FileEncoding::Utf16LE:
      return Utf16LEToWide(body);
    case FileEncoding::Ansi:
      break;
  }
  return AnsiToWide(body);
}

// The bytes of `text`: the ANSI code page when every character converts
// exactly, else UTF-8 with its byte-order mark.
std::string EncodeFileText(std::wstring_view text) {
  if (std::optional<std::string> ansi = WideToAnsiExact(text)) return std::move(*ansi);
  return std::string(kUtf8ByteOrderMark) + WideToUtf8(text);
}

}  // namespace

bool IniFile::Load(const std::wstring& filename) noexcept {
  ClearError();
  try {
    DictionaryPtr root = NewDictionary();
    data_ = root;
    const std::wstring text = DecodeFileText(ReadWholeFile(filename));
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
    ReplaceFileContent(filename, EncodeFileText(FormatIniText(*data_)));
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
