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

std::optional<std::string> WideToAnsiExact(std::wstring_view text) {
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX) throw std::bad_alloc();
  const int length = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr,
                                         0, nullptr, &usedDefault);
  if (needed <= 0 || usedDefault) return std::nullopt;
  std::string result(static_cast<std::size_t>(needed), '\0');
  if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, result.data(), needed,
                          nullptr, &usedDefault) != needed ||
      usedDefault) {
    return std::nullopt;
  }
  return result;
}
