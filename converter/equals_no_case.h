// Names compared as the file system and the window manager compare them:
// without regard to case.
#pragma once

#include <algorithm>
#include <cwctype>
#include <string_view>

inline bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}
