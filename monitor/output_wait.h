// Waiting, from any process, for a file that the converter makes.
#pragma once

#include <windows.h>

#include <string>

// True when the file can be opened for reading (shared read and write).
bool OutputExists(const std::wstring& path);

extern "C" {
// Waits until the file (single-byte text, full path) can be read or the time-out
// (milliseconds) plus one pass of 100 ms runs out. Each pass waits at most 100 ms,
// or until the monitor event marks the end of a job. An existing file gives TRUE
// at once; a name that cannot be converted or is too long gives FALSE.
BOOL WINAPI WaitForOutput(LPCSTR fileName, DWORD timeoutMs);
}
