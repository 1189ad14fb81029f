// How a settings file's bytes carry its text: a UTF-8 or UTF-16 LE byte-order
// mark selects that encoding; bytes without one are in the ANSI code page.
// Pure functions; the ANSI conversions themselves are the platform's.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class FileEncoding { Ansi, Utf8, Utf16LE };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LEByteOrderMark = "\xFF\xFE";
// How a UTF-8 settings file starts: the byte-order mark on a line of its own,
// so that a reader that knows only ANSI files takes it for a line to ignore and
// still finds the header on a later line. The mark's line ends with two
// carriage returns: in code pages 936, 949 and 950 the mark's last byte leads a
// two-byte character and a reader that converts the whole file may take the
// first carriage return as its second byte; the second one still ends the line.
inline constexpr std::string_view kUtf8FileStart = "\xEF\xBB\xBF\r\r\n";

// The encoding that the start of `bytes` announces.
FileEncoding DetectEncoding(std::string_view bytes) noexcept;

// The bytes after the byte-order mark of `encoding`.
std::string_view WithoutByteOrderMark(std::string_view bytes, FileEncoding encoding) noexcept;

// UTF-8 to UTF-16. A byte that starts no valid sequence becomes U+FFFD; an
// encoded surrogate (as a lone UTF-16 surrogate is written) comes back as itself.
std::wstring Utf8ToWide(std::string_view bytes);
// The same into `out`, which has room for bytes.size() code units (UTF-8 never
// gives more); the number of code units written.
std::size_t Utf8ToWide(std::string_view bytes, wchar_t* out);

// UTF-16 to UTF-8. A lone surrogate is encoded as its own three bytes, so that
// every text comes back exactly through Utf8ToWide.
std::string WideToUtf8(std::wstring_view text);

// The end of the last whole line in `bytes` of a file that goes on after them:
// just past a carriage return (and the line feed right after it), where a file
// in the ANSI code page or UTF-8 can be cut between two characters. A carriage
// return that is the last byte does not count: a line feed may follow. 0 when
// there is no such line end.
std::size_t WholeLinesEnd(std::string_view bytes) noexcept;

// UTF-16 LE bytes to text; an odd last byte is dropped.
std::wstring Utf16LEToWide(std::string_view bytes);
