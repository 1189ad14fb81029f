// The names that Windows takes for devices rather than files. Pure code.
#pragma once

#include <string>
#include <string_view>

// True for a file or folder name that Windows opens as a device: CON, PRN, AUX,
// NUL, COM1 to COM9, LPT1 to LPT9, and COM or LPT with a superscript one, two or
// three, in any case of A-Z, then nothing but blanks before the end or the
// first dot ("NUL", "nul.txt", "NUL .txt", "COM1 .log", "LPT\u00B9"). COM0 and
// LPT0 are no devices, nor is a device word with anything else after it ("CONSOLE").
bool IsDeviceName(std::wstring_view name);

// A device name with "_" after its device word ("NUL .txt" gives "NUL_ .txt",
// "CON" gives "CON_"), which no longer names a device; any other name as it is.
std::wstring DeviceSafeName(std::wstring name);
