// What a settings file can hold, and what may name a printer instance.
// Pure text rules.
#pragma once

#include <string_view>

// The error number and text of a refused setting or instance name.
inline constexpr int kInvalidArgumentError = 5;
inline constexpr std::wstring_view kInvalidArgumentText = L"Invalid procedure call or argument";

// True when the line "  name=value" reads back as this very setting: the name
// holds no line end and no "=" and does not start with "[" (after the blanks
// that loading trims), the value holds no line end. The empty name is kept as
// it is written (a line that loading ignores).
bool IsStorableSetting(std::wstring_view name, std::wstring_view value) noexcept;

// True when `instance` may be part of a file name: no NUL or other control
// character, none of \ / : * ? " < > |, and neither "." nor "..". The empty
// text (the default instance) is valid.
bool IsValidInstanceName(std::wstring_view instance) noexcept;
