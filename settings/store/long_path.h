// The one form in which the store reaches its files: the full path under the
// long-path prefix, which the platform takes beyond MAX_PATH.
#pragma once

#include <string>

// `path` made absolute, in the form "\\?\C:\..." or "\\?\UNC\server\...".
// Throws SystemError when the path cannot be made absolute.
std::wstring LongPath(const std::wstring& path);
