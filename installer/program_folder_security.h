// The program folder gets the rights of Program Files, so that no user can
// replace or add a program there that then runs as another user.
#pragma once

#include <string>

// Makes `folder` (with any missing parents) when it is missing. Unless it lies
// inside `programFiles`, whose rights it inherits, it then gets those rights
// itself: owner Administrators; Administrators and SYSTEM full control, Users
// read and execute, for the folder and everything in it; nothing inherited from
// its parent. What it already holds loses rights of its own and takes them.
// Throws SetupError when the folder cannot be made or secured.
void SecureProgramFolder(const std::wstring& folder, const std::wstring& programFiles);
