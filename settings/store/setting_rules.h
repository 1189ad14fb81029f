// What a settings file can give back as it was given. Pure text rules.
#pragma once

#include <string_view>

// The error number and text of a refused setting.
inline constexpr int kInvalidArgumentError = 5;
inline constexpr std::wstring_view kInvalidArgumentText = L"Invalid procedure call or argument";

// False when the line "  name=value" would not read back as this setting with
// this value: a name with "=" or a carriage return, a value with a carriage
// return, or a line that reads as a section header (its trimmed text starts
// with "[" and ends with "]"). What loading only trims or ignores is storable:
// blanks around the name or value, a lone line feed, the empty name.
bool IsStorableSetting(std::wstring_view name, std::wstring_view value) noexcept;
