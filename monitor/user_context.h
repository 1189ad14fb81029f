// The printing user's context: the product's settings, the user's environment,
// the work area, spool file names and session ids, and two file utilities.
#pragma once

#include <optional>
#include <string>

// A text value of HKEY_LOCAL_MACHINE\SOFTWARE\Quillmar\PDF Writer\Settings
// (REG_SZ, or REG_EXPAND_SZ as stored); any other type, or data over 8150 bytes,
// counts as absent.
std::optional<std::wstring> ReadSetting(const wchar_t* name);

// A variable of the printing user's environment (built from the thread's token).
// Failing steps show their message box and give nothing.
std::optional<std::wstring> GetUserEnvironmentVariable(const wchar_t* name);

// The user's temporary folder (TEMP, else TMP, else the process's own; empty
// values count as absent) followed by "Quillmar\PDF Writer\", created if
// missing. Nothing when no folder can be found or created (after a message box).
std::optional<std::wstring> GetWorkArea();

// The temporary folder of the process itself (GetTempPathW).
std::optional<std::wstring> ProcessTempFolder();

// Work area + session id + "_printer.ps"; nothing without a work area.
std::optional<std::wstring> GetSpoolFileName(const std::wstring& sessionId);

// A new GUID as 36 characters of lower-case hexadecimal and hyphens; "x" on failure.
std::wstring NewSessionId();

// Creates the folder and every missing folder above it; true when it exists afterwards.
bool CreateFolderTree(const std::wstring& path);

// True when a file or folder of that name exists.
bool FileExists(const std::wstring& path);
