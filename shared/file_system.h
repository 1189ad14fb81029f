// File and folder tests and the recursive folder creation.
#pragma once

#include <string>

// True when `path` (trailing backslashes ignored) names an existing folder.
// Wildcards are searched as a pattern. Never raises.
bool IsFolder(const std::wstring& path) noexcept;
// True when `path` names an existing entry that is not a folder. Never raises.
bool IsFile(const std::wstring& path) noexcept;
// Creates every missing folder of `path`; raises "Error creating folder in
// function MkDirRecurse. Target=..., Current=.... <reason>" on failure.
void MkDirRecurse(const std::wstring& path);
