// "port.log" itself: where the current one lies, and the writing of one entry.
// It shows nothing to the user, so that the user messages can write to it too.
#pragma once

#include <string>

// The current log path (empty before the first job); set by SetLogFile.
std::wstring LogFilePath();
void SetLogFilePath(std::wstring path);

// Appends "[source] message: detail" and a line end to the file at `path`
// (source and detail may be null); with `truncate` the file is emptied first.
// False for a null message (nothing written) and when the file cannot be
// opened, the last-error code then saying why.
bool WriteLogEntry(const std::wstring& path, const wchar_t* source, const wchar_t* message,
                   const wchar_t* detail, bool truncate);
