// The program folder gets the rights of Program Files, so that no user can
// replace or add a program there that then runs as another user.
#pragma once

#include <string>

// Makes `folder` (with any missing parents) when it is missing. Inside
// `programFiles` the new folders inherit its rights. Outside it:
// - every missing folder is made with kProgramFolderRights, and an existing
//   `folder` then gets them;
// - a folder of the path that exists already (`folder` included) is refused
//   when it is a junction or symbolic link, or when its owner is not trusted
//   (IsTrustedOwner);
// - what `folder` already holds loses rights of its own and takes those it
//   inherits; a junction or link in it is refused, never followed.
// Throws SetupRefusal for a refused folder or link, SetupError when a folder
// cannot be made or secured.
void SecureProgramFolder(const std::wstring& folder, const std::wstring& programFiles);
