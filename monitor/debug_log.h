// The monitor's trace "port.log": one line per step of a job, single-byte text.
// Above the log file itself (log_file.*): what cannot be written at the start
// of a job, or a log folder that cannot be made, is shown to the user.
#pragma once

#include <windows.h>

#include <string>

#include "log_file.h"

// Appends "[source] message: detail" and a line end to the log (source and detail
// may be null). With `truncate` the file is emptied first, and a failure to open
// it is shown in a message box. A null message writes nothing and fails.
BOOL DebugLog(const wchar_t* source, const wchar_t* message, const wchar_t* detail,
              bool truncate = false);
inline BOOL DebugLog(const wchar_t* source, const wchar_t* message, const std::wstring& detail) {
  return DebugLog(source, message, detail.c_str());
}

// Points the log at "port.log" in "LogFolder" (empty counts as absent), else in
// the work area, else in the process's temporary folder; creates the folder.
// On failure the log path keeps its former value.
BOOL SetLogFile();
