// The argument text of a process command line.
#pragma once

#include <string_view>

// `commandLine` without the program's path (quoted or not) and the blanks and
// tabs that follow it.
std::wstring_view ArgumentText(std::wstring_view commandLine) noexcept;
