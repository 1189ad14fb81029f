// The host has no ANSI code page: the pure core's conversion reads each byte as
// the code unit of the same value.
#include "ansi_text.h"

std::wstring AnsiToWide(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return wide;
}
