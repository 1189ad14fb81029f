// Finds a variable in an environment block ("NAME=value" entries separated by
// nulls, ended by an empty entry).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The value of the last entry whose whole name (the text before its first "=")
// equals `name`, case-sensitively. At most `maxUnits` code units are read.
std::optional<std::wstring> FindEnvironmentValue(const wchar_t* block, size_t maxUnits,
                                                 std::wstring_view name);
