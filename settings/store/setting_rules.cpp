#include "setting_rules.h"

#include "character_rules.h"

namespace {

bool HasLineEnd(std::wstring_view text) noexcept {
  return text.find_first_of(L"\r\n") != std::wstring_view::npos;
}

}  // namespace

bool IsStorableSetting(std::wstring_view name, std::wstring_view value) noexcept {
  if (HasLineEnd(name) || HasLineEnd(value)) return false;
  if (name.find(L'=') != std::wstring_view::npos) return false;
  const auto first = name.find_first_not_of(L' ');
  return first == std::wstring_view::npos || name[first] != L'[';
}

bool IsValidInstanceName(std::wstring_view instance) noexcept {
  if (instance == L"." || instance == L"..") return false;
  for (const wchar_t c : instance) {
    if (!IsFileNameCharacter(c)) return false;
  }
  return true;
}
