// Messages that the monitor shows the user itself. In an interactive process a
// message box; in a service process, in session 0 or on a window station that
// nobody sees, where nobody can answer a box and the waiting thread would hold
// the monitor's lock for good, the same caption and text go to the printing
// user's session (WTSSendMessageW, not waited for) and to the current log as
// one entry (written through log_file.*, below the job trace debug_log.*,
// which shows its own failures with these messages).
#pragma once

#include <windows.h>

#include <string>

void ShowUserMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style);

// No owner, caption "Quillmar Printer", OK button.
void ShowMonitorMessage(const std::wstring& text);

// The message, then a second one with the Win32 error code in decimal.
void ShowMonitorError(const std::wstring& text, DWORD errorCode);
