// The debug marker in the application folder (machine_settings.h): while it is
// there, the spool file of a job that the monitor cannot hand over is kept.
#pragma once

#include <windows.h>

#include <string>

// True when the marker is in "AppFolder". Without that setting it logs
// "[IsDebug] Unable to read AppFolder setting from the registry" and answers FALSE.
BOOL IsDebug();

// Removes the spool file of a job that goes no further, unless IsDebug keeps
// it; a removal is logged as "[source] Remove PS file: <path>".
void RemoveSpoolFileUnlessDebug(const wchar_t* source, const std::wstring& spoolFile);
