// The product's own names and how they are cleaned for registry key names.
#pragma once

#include <string>

// The application name: "PDF Writer".
std::wstring GetAppName();

// The text with every "\" replaced by "_" (one registry key name).
std::wstring ReplaceBackslashes(std::wstring text);
