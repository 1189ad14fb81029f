// Conversions between UTF-16 and the system's ANSI code page, for the places
// that store single-byte text (settings files, the version record).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Bytes in the ANSI code page to UTF-16 (embedded NULs are kept).
std::wstring AnsiToWide(std::string_view text);
// UTF-16 to the ANSI code page when every character converts exactly (no
// best-fit letter, no default character); nullopt otherwise.
std::optional<std::string> WideToAnsiExact(std::wstring_view text);
