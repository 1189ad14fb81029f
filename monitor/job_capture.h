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
// A port whose document is still in progress refuses with ERROR_BUSY; a thread
// without a user in a service account's process with ERROR_ACCESS_DENIED. A
// spool file that cannot be created restarts and pauses the job and fails with
// the creation's error.
BOOL WINAPI MyStartDocPort(HANDLE hPort, LPWSTR pPrinterName, DWORD JobId, DWORD Level,
                           LPBYTE pDocInfo);

// Appends the bytes to the spool file. Without a spool file the data is dropped
// (and reported as written). A failed write restarts and pauses the job, and
// the port remembers it for EndDocPort.
BOOL WINAPI MonWritePort(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuf, LPDWORD pcbWritten);

// Closes the spool file, starts the converter, pulses the monitor event and
// deletes the job from the queue. A spool file that is not whole (a failed
// write, flush or close) starts no converter; it and a converter that cannot
// be started leave the job restarted and paused in the queue. A thread without
// a user in a service account's process touches nothing of the work area: the
// spool file is kept, the job restarted and paused, and it fails with
// ERROR_ACCESS_DENIED.
BOOL WINAPI MonEndDocPort(HANDLE hPort);
