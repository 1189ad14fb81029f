// Text of registry data, which carries no guarantee of a terminating null:
// header-only, for every binary (the monitor too).
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

// The text ends at its first null or at the end of the data, whichever comes first.
inline std::wstring TextFromData(const wchar_t* data, std::size_t units) {
  return std::wstring(data, std::find(data, data + units, L'\0'));
}
