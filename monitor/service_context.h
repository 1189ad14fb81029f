// What the monitor learns about the process that loaded it: whether it runs as
// a service account, whether anybody can answer a message box there, and the
// session of the printing user.
#pragma once

#include <windows.h>

// True when the calling thread impersonates nobody and the process runs as
// LocalSystem, LocalService or NetworkService: a job must then not run under
// that account (on Windows a job recovered after a spooler restart has no user).
bool RunsAsServiceAccountWithoutUser();

// True when the process's window station is visible (interactive).
bool HasInteractiveWindowStation();

// The session of the printing user: that of the thread's token, else that of
// the process.
DWORD PrintingUserSessionId();
