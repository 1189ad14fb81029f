// Which installed Ghostscript the converter takes, and the name of its console
// program for the converter's own architecture.
#pragma once

#include <string_view>

// The console program of a Ghostscript of the converter's own kind: a 32-bit
// converter runs on 32-bit Windows, where only 32-bit Ghostscript installs.
#ifdef _WIN64
inline constexpr wchar_t kGhostscriptConsoleProgram[] = L"gswin64c.exe";
#else
inline constexpr wchar_t kGhostscriptConsoleProgram[] = L"gswin32c.exe";
#endif

// True when the release name `candidate` (such as "10.02.1") is a later
// release than `current`: dot-separated parts compare as numbers, so "10.02"
// comes after "9.56". A part that is not a number compares as text.
bool IsLaterRelease(std::wstring_view candidate, std::wstring_view current);
