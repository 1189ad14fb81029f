// Which program folders need rights of their own. No operating-system call.
#pragma once

#include <string>

// True when `path` is `folder` or lies inside it. Both are full paths; case
// (A-Z), forward slashes and trailing separators do not count.
bool IsInsideFolder(const std::wstring& path, const std::wstring& folder);
