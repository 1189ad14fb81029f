// Texts of error codes: the system's message and the automation error texts.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The system's message text for a Win32 error or HRESULT, without the line
// end; "Unknown error 0x........" when the system has none.
std::wstring SystemMessage(DWORD code);

// The standard text of an automation error number (for example 70,
// "Permission denied"); empty for numbers that have none here.
std::wstring AutomationErrorText(std::int32_t number);
