// The monitor's trace "port.log": one line per step of a job, single-byte text.
// Above the log file itself (log_file.*): what cannot be written at the start
// of a job, or a log folder that cannot be made, is shown to the user.
#pragma once

#include <windows.h>

#include <string>

#include "log_file.h"

class WorkAreaOfCall;

// Appends "[source] message: detail" and a line end to the current log
// (log_file.h; source and detail may be null). With `truncate` the file is
// emptied first, and a failure to open it is shown in a message box. A null
// message writes nothing and fails; so does a log without a file.
BOOL DebugLog(const wchar_t* source, const wchar_t* message, const wchar_t* detail,
              bool truncate = false);
inline BOOL DebugLog(const wchar_t* source, const wchar_t* message, const std::wstring& detail) {
  return DebugLog(source, message, detail.c_str());
}

// The log of a job of the calling user: that user's "port-<SID>.log" in
// "LogFolder" (the folder created when missing), else "port.log" in the work
// area. An empty path when neither can be had (after a message when the log
// folder cannot be created): the job then logs nothing. Never the spooler's
// own temporary folder, which every user can read.
LogTarget JobLogFile();
// The same, taking the work area from the lookup of the spooler call under way.
LogTarget JobLogFile(WorkAreaOfCall& workArea);
