// The shell's own pickers (IFileOpenDialog) for the "Browse..." buttons. The
// calling thread is in a single-threaded COM apartment.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// A folder chosen by the user, starting in `start` when it names one;
// nothing when the user cancelled or the picker could not be shown.
std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& start);

// A PDF file chosen by the user, starting at `start` (a file or folder);
// nothing when the user cancelled or the picker could not be shown.
std::optional<std::wstring> PickPdfFile(HWND owner, const std::wstring& start);
