// Which characters count as control characters, and which a file or folder
// name cannot hold: decided here once for every binary. Pure code.
#pragma once

#include <string_view>

// C0 (U+0000 to U+001F), DEL (U+007F) and C1 (U+0080 to U+009F): none of them
// is text that a name, a setting or a log line should carry.
bool IsControlCharacter(wchar_t c) noexcept;

// The nine characters that Windows reserves in file and folder names.
inline constexpr std::wstring_view kReservedInFileNames = L"\\/:*?\"<>|";
bool IsReservedInFileName(wchar_t c) noexcept;

// A character that a file or folder name may hold: neither a control character
// nor a reserved one.
bool IsFileNameCharacter(wchar_t c) noexcept;
