// The job entries of the monitor table: a job's bytes go into a spool file in the
// printing user's work area; at its end the converter is started and the job
// removed from the queue.
#pragma once

#include <windows.h>

#include <string>

// Creates the spool file exclusively for writing, after deleting a leftover file
// of that name. INVALID_HANDLE_VALUE on failure.
HANDLE CreateSpoolFile(const std::wstring& path);

// Starts a document on the port: new session id, fresh log, spool file created.
// A port whose document is still in progress refuses with ERROR_BUSY.
BOOL WINAPI MyStartDocPort(HANDLE hPort, LPWSTR pPrinterName, DWORD JobId, DWORD Level,
                           LPBYTE pDocInfo);

// Appends the bytes to the spool file. Without a spool file the data is dropped
// (and reported as written). A failed write restarts and pauses the job.
BOOL WINAPI MonWritePort(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuf, LPDWORD pcbWritten);

// Closes the spool file, starts the converter, pulses the monitor event and
// deletes the job from the queue.
BOOL WINAPI MonEndDocPort(HANDLE hPort);
