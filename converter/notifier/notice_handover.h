// Finding the session's resident notifier and handing it a notice.
#pragma once

#include <windows.h>

#include <string>

// The resident notifier's window in this session, only one whose process runs
// as this process's user (any program of the session can make a window of
// that class); null when there is none.
HWND FindResidentNotifier();

// Hands `file` to the notifier window; false when the window did not take it
// (it was ending, or does not answer within a second).
bool DeliverNotice(HWND notifier, const std::wstring& file);

// The file a WM_COPYDATA message carries; empty when it is not a notice.
std::wstring NoticeFileOf(const COPYDATASTRUCT& data);
