#include "character_rules.h"

bool IsControlCharacter(wchar_t c) noexcept { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

bool IsReservedInFileName(wchar_t c) noexcept {
  return kReservedInFileNames.find(c) != std::wstring_view::npos;
}

bool IsFileNameCharacter(wchar_t c) noexcept {
  return !IsControlCharacter(c) && !IsReservedInFileName(c);
}
