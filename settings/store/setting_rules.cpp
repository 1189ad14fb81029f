#include "setting_rules.h"

bool IsStorableSetting(std::wstring_view name, std::wstring_view value) noexcept {
  constexpr auto npos = std::wstring_view::npos;
  if (name.find_first_of(L"=\r") != npos || value.find(L'\r') != npos) return false;
  // The line's first character after its blanks is the name's, its last the value's.
  const auto first = name.find_first_not_of(L' ');
  const auto last = value.find_last_not_of(L' ');
  const bool opens = first != npos && name[first] == L'[';
  const bool closes = last != npos && value[last] == L']';
  return !(opens && closes);
}
