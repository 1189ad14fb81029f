// What the monitor learns about the process that loaded it: whether it runs as
// a service account, whether anybody can answer a message box there, and the
// session of the printing user.
#pragma once

#include <windows.h>

// True when the calling thread impersonates nobody and the process runs as
// LocalSystem, LocalService or NetworkService: a job must then not run under
// that account (on Windows a job recovered after a spooler restart has no user).
bool RunsAsServiceAccountWithoutUser();

#include "service_rules.h"

// How a message reaches the user from this process (ChooseMessagePath): by the
// process's session, whether it runs as a service (a service account, or the
// SERVICE group in its token) and its window station's flags. What cannot be
// read counts against a message box.
MessagePath UserMessagePath();

// The session of the printing user: that of the thread's token, else that of
// the process.
DWORD PrintingUserSessionId();
