#include "ini_file.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "ansi_text.h"
#include "atomic_save.h"
#include "automation_error.h"
#include "file_text_encoding.h"
#include "ini_text.h"
#include "long_path.h"
#include "system_error.h"
#include "system_message.h"
#include "unexpected_exception.h"
#include "unique_resource.h"

namespace {

// Reads a settings file a piece at a time into `reader`: each piece of whole
// lines is decoded into a buffer that stays small (and so in the caches)
// however large the file is, and no copy of the whole file is ever made.
class SettingsFileReader {
 public:
  explicit SettingsFileReader(const std::wstring& filename)
      : file_(CreateFileW(filename.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
    if (!file_) ThrowLastError();
  }

  void ReadInto(IniTextReader& reader) {
    ReadMore();
    const FileEncoding encoding = DetectEncoding(Buffered());
    taken_ = Buffered().size() - WithoutByteOrderMark(Buffered(), encoding).size();
    if (encoding == FileEncoding::Utf16LE) {
      while (!atEnd_) ReadMore();
      reader.Feed(Utf16LEToWide(Buffered()));
      return;
    }
    reader.ExpectLines(ExpectedLines());
    const auto decode = encoding == FileEncoding::Utf8
                            ? static_cast<std::size_t (*)(std::string_view, wchar_t*)>(Utf8ToWide)
                            : static_cast<std::size_t (*)(std::string_view, wchar_t*)>(AnsiToWide);
    for (;;) {
      const std::string_view buffered = Buffered();
      const std::size_t end = atEnd_ ? buffered.size() : WholeLinesEnd(buffered);
      if (end > 0) {
        if (text_.size() < end) text_.resize(end);
        reader.Feed({text_.data(), decode(buffered.substr(0, end), text_.data())});
        taken_ += end;
      }
      if (atEnd_) return;
      ReadMore();
    }
  }

 private:
  static constexpr std::size_t kPiece = 256 * 1024;

  // The file's lines, estimated from the first piece.
  std::size_t ExpectedLines() const {
    LARGE_INTEGER size{};
    const std::string_view first = Buffered();
    if (atEnd_ || first.empty() || !GetFileSizeEx(file_.get(), &size)) return 0;
    const auto fileSize = static_cast<double>(size.QuadPart);
    const auto lines = static_cast<double>(std::count(first.begin(), first.end(), '\r'));
    // An entry's line has at least four bytes ("a=b" and its line end).
    return static_cast<std::size_t>(std::min(lines * fileSize / first.size(), fileSize / 4));
  }

  std::string_view Buffered() const { return {bytes_.data() + taken_, filled_ - taken_}; }

  // Moves what is not taken yet to the front and reads a piece after it.
  void ReadMore() {
    std::memmove(bytes_.data(), bytes_.data() + taken_, filled_ - taken_);
    filled_ -= taken_;
    taken_ = 0;
    if (bytes_.size() < filled_ + kPiece) bytes_.resize(filled_ + kPiece);
    DWORD read = 0;
    if (!ReadFile(file_.get(), bytes_.data() + filled_, static_cast<DWORD>(kPiece), &read,
                  nullptr)) {
      ThrowLastError();
    }
    filled_ += read;
    atEnd_ = read == 0;
  }

  UniqueFileHandle file_;
  std::vector<char> bytes_;
  std::size_t filled_ = 0;  // bytes read into bytes_
  std::size_t taken_ = 0;   // bytes of bytes_ already handed on
  bool atEnd_ = false;
  std::vector<wchar_t> text_;
};

// The bytes of `text`: the ANSI code page when every character converts
// exactly, else UTF-8 after its byte-order mark's line.
std::string EncodeFileText(std::wstring_view text) {
  if (std::optional<std::string> ansi = WideToAnsiExact(text)) return std::move(*ansi);
  return std::string(kUtf8FileStart) + WideToUtf8(text);
}

}  // namespace

bool IniFile::Load(const std::wstring& filename) noexcept {
  ClearError();
  try {
    DictionaryPtr root = NewDictionary();
    data_ = root;
    IniTextReader reader(*root, NewDictionary);
    SettingsFileReader(LongPath(filename)).ReadInto(reader);
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
