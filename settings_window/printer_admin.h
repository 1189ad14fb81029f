// Adding and removing printers from the settings window: printer_setup.exe,
// beside this program, run elevated.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// True when the user may add printers: a member of Administrators, also
// when this process runs with the filtered token of an administrator whose
// full rights need elevation.
bool UserIsAdministrator();

// Runs `printer_setup.exe <verb> "<printer>"` from this program's folder with
// the "runas" verb and waits for it, keeping `owner` painted. Its exit code;
// nothing when it did not start (the user declined the elevation, say), with
// the system's error code in `startError`.
std::optional<DWORD> RunPrinterSetupElevated(HWND owner, const std::wstring& verb,
                                             const std::wstring& printer, DWORD& startError);
