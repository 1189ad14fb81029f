// Rules for a monitor inside a spooler that runs as a service: whose account a
// job must never run under, and where a message box can be answered.
#pragma once

#include <cstddef>

// True for the binary SID of LocalSystem (S-1-5-18), LocalService (S-1-5-19) or
// NetworkService (S-1-5-20). A SID that is malformed or does not fit `size`
// bytes is no service account.
bool IsServiceAccountSid(const unsigned char* sid, size_t size);

// How a message reaches the user: a message box of the process itself, or a
// message sent to the user's session (WTSSendMessageW) and a log entry.
enum class MessagePath { kMessageBox, kSessionMessage };

// A message box only in a process that is no service, outside session 0 (where
// services run, with no user), on a visible window station (WSF_VISIBLE in its
// UOI_FLAGS). A service may run on session 0's visible window station when it
// is allowed to interact with the desktop: nobody answers a box there either,
// and the thread showing it would hold the monitor's lock for good.
MessagePath ChooseMessagePath(unsigned long processSessionId, bool isServiceProcess,
                              unsigned long windowStationFlags);

// The desktop that the converter is started on (STARTUPINFO.lpDesktop) for a
// job whose token is in `tokenSessionId`. Started from a service with no desktop
// name, a process joins the caller's window station only when that is the
// interactive one; otherwise it gets an invisible station of its own, where
// nobody ever sees its windows. So a user's session names the interactive
// desktop "winsta0\default". Session 0 names none: services and jobs that came
// through a print server run there, and their logons have no right to it.
// Nothing means "no desktop name".
const wchar_t* ConverterDesktop(unsigned long tokenSessionId);
