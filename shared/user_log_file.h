// A user's log file, opened so that no other user can read it or steer it:
// the monitor's "port.log" and the converter's "gui.log" (names and rights in
// log_rules.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text of a SID ("S-1-5-18"); nothing for a null or invalid one.
std::optional<std::wstring> SidText(void* sid);

// The text of the SID of the calling thread's user: its impersonation token's,
// else the process's. Nothing when it cannot be read.
std::optional<std::wstring> CallerSidText();

// Writes `bytes` at the end of the log file at `path`, the log of the user
// with the SID `userSid`. A new file is created with access for that user,
// SYSTEM and Administrators only; an existing one is written only when it is
// a plain file (no reparse point, one name) owned by the user, SYSTEM or
// Administrators. With `truncate` the file is emptied first. False when the
// file cannot be opened or written, the last-error code then saying why.
bool WriteUserLog(const std::wstring& path, const std::wstring& userSid, std::string_view bytes,
                  bool truncate);
