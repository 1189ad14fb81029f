// Message boxes that the monitor shows itself (no owner, caption "Quillmar Printer").
#pragma once

#include <windows.h>

#include <string>

void ShowMonitorMessage(const std::wstring& text);

// The message, then a second box with the Win32 error code in decimal.
void ShowMonitorError(const std::wstring& text, DWORD errorCode);
