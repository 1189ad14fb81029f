// Starts the converter program gui.exe in the printing user's logon context:
// for each job, and to show the port administration messages.
#pragma once

#include <windows.h>

#include <string>

#include "port_list.h"

// Wait times: 0 starts the program without waiting, a positive value waits that
// many milliseconds, a negative value waits without limit.

// Hands a finished job, captured in `spoolFile` (in the work area), to the
// converter. After a failed start the spool file is removed unless the debug
// marker keeps it (debug_marker.h).
BOOL MakePDF(const JobContext& job, const std::wstring& spoolFile);

// Starts "<AppFolder>\gui.exe" with the parameters.
BOOL RunGUI(const std::wstring& parameters, int waitMs);

// Starts the command line under a primary token made from the thread's token,
// with that user's environment block.
BOOL RunProcessAsUser(const std::wstring& commandLine, int waitMs);

// Shows a message through the converter; icon code 16, 48 or 64.
BOOL GUIMessage(const std::wstring& message, int iconCode, int waitMs);
