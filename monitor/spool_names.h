// The names of a job: its session id and its spool file in the work area.
#pragma once

#include <optional>
#include <string>

class WorkAreaOfCall;

// Work area + session id + "_printer.ps"; nothing without a work area.
std::optional<std::wstring> GetSpoolFileName(const std::wstring& sessionId);
std::optional<std::wstring> GetSpoolFileName(const std::wstring& sessionId,
                                             WorkAreaOfCall& workArea);

// A new GUID as 36 characters of lower-case hexadecimal and hyphens; "x" on failure.
std::wstring NewSessionId();
