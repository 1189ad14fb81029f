#include "port_values.h"

#include <algorithm>

namespace {

wchar_t FoldAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c; }

}  // namespace

bool EqualIgnoringAsciiCase(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return FoldAsciiLetter(x) == FoldAsciiLetter(y); });
}

std::optional<std::wstring> PortValueToAdd(const std::vector<std::wstring>& ports,
                                           const std::wstring& port) {
  const bool present = std::any_of(ports.begin(), ports.end(), [&](const std::wstring& p) {
    return EqualIgnoringAsciiCase(p, port);
  });
  if (present) return std::nullopt;
  return std::to_wstring(ports.size() + 1);
}
