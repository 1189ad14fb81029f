// The shell's folder picker (IFileOpenDialog with FOS_PICKFOLDERS).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The folder the user picks, starting in `start` when it exists; nothing when
// the user cancels or the picker cannot be shown. Needs a single-threaded
// apartment on the calling thread (ShellApartment).
std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& start);
