// The shell's file picker (IFileOpenDialog) for the "Browse..." buttons of
// the letterhead and the stamp; the folder's is the converter's PickFolder
// (folder_picker.h), which the job window uses too. The calling thread is in
// a single-threaded COM apartment.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// A PDF file chosen by the user, starting at `start` (a file or folder);
// nothing when the user cancelled or the picker could not be shown.
std::optional<std::wstring> PickPdfFile(HWND owner, const std::wstring& start);
