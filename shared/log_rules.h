// Rules of the product's logs (the monitor's "port.log", the converter's
// "gui.log"): one line per entry, and one file per user in a log folder that
// every user writes into. Pure code.
#pragma once

#include <string>
#include <string_view>

// The text as one line of a log holds it: each control character (C0, DEL and
// C1, character_rules.h) becomes "?", so that no text can end the line or start
// one of its own.
std::wstring OneLineText(std::wstring_view text);

// "<stem>-<sid>.log": the user's own file in the log folder ("port-S-1-5-21-…-1001.log").
std::wstring PerUserLogFileName(std::wstring_view stem, std::wstring_view sidText);

// The security descriptor, in SDDL, of a new log file of the user with that
// SID: full control for the user, SYSTEM and Administrators, nothing inherited.
// Empty when `sidText` is not the text of a SID ("S-" followed by digits and
// hyphens).
std::wstring UserLogFileSddl(std::wstring_view sidText);

// An existing log file is written to only when its owner is the user, SYSTEM or
// Administrators: a file that another user made in the user's name could be
// read by that user.
bool IsTrustedLogOwner(std::wstring_view ownerSidText, std::wstring_view userSidText);

// Where a user's log lies. With a log folder that every user shares
// ("LogFolder"), the user's own file in it: "<logFolder>\<stem>-<sid>.log".
// Without one, "<ownFolder>\<stem>.log" in a folder of the user's own (the work
// area). Empty when that folder is empty or `sidText` is no SID.
std::wstring UserLogPath(std::wstring_view logFolder, std::wstring_view ownFolder,
                         std::wstring_view stem, std::wstring_view sidText);
