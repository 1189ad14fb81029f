// The text of one "port.log" entry: "[" source "] " message ": " detail, line end.
#pragma once

#include <string>

// Source and detail may be null (left out); the message must not be null. The
// entry is always one line, ended by carriage return and line feed: control
// characters in the texts (C0, DEL, C1) become "?".
std::wstring FormatLogEntry(const wchar_t* source, const wchar_t* message, const wchar_t* detail);
