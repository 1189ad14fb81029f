// The host has no ANSI code page: the pure core's conversions read each byte as
// the code unit of the same value, and write code units above 0xFF as "?" (the
// default character of a single-byte code page).
#include "ansi_text.h"

std::wstring AnsiToWide(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return wide;
}

std::string WideToAnsi(std::wstring_view text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (wchar_t c : text) {
    const auto unit = static_cast<unsigned long>(c);
    narrow.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
  }
  return narrow;
}
