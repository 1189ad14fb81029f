#include "ansi_text.h"

#include <windows.h>

#include <climits>
#include <new>

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > INT_MAX) throw std::bad_alloc();
  const int length = static_cast<int>(text.size());
  // No code page gives more UTF-16 units than bytes, so one pass into a buffer
  // of that size does, without a pass that only counts.
  std::wstring result(text.size(), L'\0');
  const int written = MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.data(), length);
  result.resize(static_cast<std::size_t>(written));
  return result;
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
