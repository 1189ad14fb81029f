// Conversions between UTF-16 and the system's ANSI code page, for the places
// that store single-byte text (settings files, the version record).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Bytes in the ANSI code page to UTF-16 (embedded NULs are kept).
std::wstring AnsiToWide(std::string_view text);
// The same into `out`, which has room for text.size() code units (no code page
// gives more); the number of code units written.
std::size_t AnsiToWide(std::string_view text, wchar_t* out);
// UTF-16 to the ANSI code page when every character converts exactly (no
// best-fit letter, no default character); nullopt otherwise.
std::optional<std::string> WideToAnsiExact(std::wstring_view text);
// The same for the code page `codePage`. For UTF-8 (65001) and GB 18030
// (54936), which refuse the flags that ask for no best fit and report a default
// character, exact means that the bytes convert back to the same text.
std::optional<std::string> WideToCodePageExact(std::wstring_view text, unsigned codePage);
