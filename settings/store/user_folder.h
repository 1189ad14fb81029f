// The printing user's own part of a folder that several users share: the
// user's identity, a folder only that user (with SYSTEM and Administrators)
// may use, and whose a file is.
#pragma once

#include <string>

// The calling user's security identifier as text ("S-1-5-21-..."): that of the
// thread's token when the thread impersonates, else the process's. Empty when
// neither can be read.
std::wstring CurrentUserSid();

// Creates the folder `path`, whose parent exists, with rights for the user
// `sid`, SYSTEM and Administrators only (nothing inherited from the parent); an
// existing folder is left as it is. True when `path` is a folder afterwards.
// Raises error 75 naming the folder when it cannot be created.
bool EnsurePrivateFolder(const std::wstring& path, const std::wstring& sid);

// True when the owner of the file `path` is the user `sid`.
bool IsOwnedBy(const std::wstring& path, const std::wstring& sid);
