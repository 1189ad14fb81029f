// The monitor event "Quillmar Printer Monitor": pulsed at the end of every job
// so that WaitForOutput callers, in any process and any session, test again.
#pragma once

#include <windows.h>

#include "unique_resource.h"

// Creates (or opens) the event, auto-reset and not signalled, with a security
// descriptor that lets every user wait on it (SYNCHRONIZE for Everyone). Null on failure.
HANDLE CreateMonitorEvent();

// Opens the event for waiting: by "Global\" and its name first (a spooler that
// runs as a service creates it in the global namespace, which a user session
// does not see by the plain name), then by the plain name. Empty when it does not exist.
UniqueHandle OpenMonitorEvent();
