// Writes the converter's command line (the monitor's side; the format is in
// converter_protocol.h).
#pragma once

#include <string>
#include <string_view>

// The text with every backslash written twice.
std::wstring EscapeBackslashes(std::wstring_view text);

// "error" for MB_ICONERROR, "exclamation" for MB_ICONEXCLAMATION, "information"
// for every other code.
std::wstring IconWord(int iconCode);

// key="value", the value's double quotes doubled.
std::wstring QuotedParameter(std::wstring_view key, std::wstring_view value);

std::wstring JobParameters(std::wstring_view spoolFile, std::wstring_view sessionId,
                           std::wstring_view documentName, std::wstring_view printerName);

// The message's backslashes are doubled.
std::wstring MessageParameters(std::wstring_view message, int iconCode);

// "<folder>\gui.exe" followed by one blank and the parameters.
std::wstring ConverterCommandLine(std::wstring_view appFolder, std::wstring_view parameters);
