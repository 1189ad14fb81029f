#include "ansi_text.h"

#include <windows.h>

#include <climits>
#include <new>

std::wstring AnsiToWide(std::string_view text) {
  std::wstring result(text.size(), L'\0');
  result.resize(AnsiToWide(text, result.data()));
  return result;
}

namespace {

// For a single-byte ANSI code page, the character of each byte; such a page
// maps every byte on its own, so a table lookup converts as the platform does.
struct SingleByteTable {
  bool usable = false;
  wchar_t characters[256] = {};
};

const SingleByteTable& SingleByteCodePage() {
  static const SingleByteTable table = [] {
    SingleByteTable made;
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize != 1) return made;
    char bytes[256];
    for (int i = 0; i < 256; ++i) bytes[i] = static_cast<char>(i);
    made.usable = MultiByteToWideChar(CP_ACP, 0, bytes, 256, made.characters, 256) == 256;
    return made;
  }();
  return table;
}

}  // namespace

std::size_t AnsiToWide(std::string_view text, wchar_t* out) {
  if (const SingleByteTable& table = SingleByteCodePage(); table.usable) {
    for (const char c : text) *out++ = table.characters[static_cast<unsigned char>(c)];
    return text.size();
  }
  if (text.empty()) return 0;
  if (text.size() > INT_MAX) throw std::bad_alloc();
  const int length = static_cast<int>(text.size());
  return static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), length, out, length));
}

namespace {

// The code pages whose conversion refuses WC_NO_BEST_FIT_CHARS and the
// used-default flag.
bool RefusesBestFitFlags(unsigned codePage) { return codePage == CP_UTF8 || codePage == 54936; }

// The bytes back to text; nullopt when they hold an invalid sequence.
std::optional<std::wstring> ExactlyBack(const std::string& bytes, unsigned codePage) {
  const int length = static_cast<int>(bytes.size());
  const int needed =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(needed), L'\0');
  if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, text.data(),
                          needed) != needed) {
    return std::nullopt;
  }
  return text;
}

}  // namespace

std::optional<std::string> WideToAnsiExact(std::wstring_view text) {
  return WideToCodePageExact(text, GetACP());
}

std::optional<std::string> WideToCodePageExact(std::wstring_view text, unsigned codePage) {
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX) throw std::bad_alloc();
  const int length = static_cast<int>(text.size());
  const bool roundTrip = RefusesBestFitFlags(codePage);
  const DWORD flags = roundTrip ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* const usedDefaultFlag = roundTrip ? nullptr : &usedDefault;
  const int needed = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr,
                                         usedDefaultFlag);
  if (needed <= 0 || usedDefault) return std::nullopt;
  std::string result(static_cast<std::size_t>(needed), '\0');
  if (WideCharToMultiByte(codePage, flags, text.data(), length, result.data(), needed, nullptr,
                          usedDefaultFlag) != needed ||
      usedDefault) {
    return std::nullopt;
  }
  if (roundTrip && ExactlyBack(result, codePage) != text) return std::nullopt;
  return result;
}
