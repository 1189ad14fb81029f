// Waiting, from any process, for a file that the converter makes.
#pragma once

#include <windows.h>

#include <string>

// True when the file can be opened for reading (shared read and write). The
// open asks for identification only, so a path to a pipe cannot impersonate
// the caller.
bool OutputExists(const std::wstring& path);

extern "C" {
// Waits until the file (full path in the ANSI code page) can be read or the
// time-out (milliseconds) plus one pass of 100 ms runs out. Each pass waits at
// most 100 ms, and ends early at the end of any job (the monitor event) or at a
// change of the names or last writes in the file's folder. An existing file
// gives TRUE at once; a name that cannot be converted or is too long gives FALSE
// with ERROR_INVALID_NAME, and a time-out FALSE with ERROR_TIMEOUT.
BOOL WINAPI WaitForOutput(LPCSTR fileName, DWORD timeoutMs);

// The same for a name in UTF-16.
BOOL WINAPI WaitForOutputW(LPCWSTR fileName, DWORD timeoutMs);
}
