// Small text rules of the monitor that need no operating-system call.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "trailing_backslash.h"

// Port names match when equal after folding only the letters A-Z to lower case.
bool PortNamesEqual(std::wstring_view a, std::wstring_view b);

// At most `maxUnits` code units of the text (null counts as empty).
std::wstring CappedText(const wchar_t* text, size_t maxUnits);

// The folder part of a path: up to and including its last backslash; empty
// when it has none.
std::wstring FolderOfPath(std::wstring_view path);

// Wide text as the single-byte log holds it: code units up to U+00FF become the
// byte of the same value, every other one becomes "?".
std::string NarrowForLog(std::wstring_view text);
