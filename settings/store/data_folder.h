// The folder that holds the settings files, resolved once per thread.
#pragma once

#include <string>

// The data folder without a trailing backslash (see ResolveDataFolder), cached
// per thread after the first successful resolution; a cached folder that no
// longer exists is resolved again. Empty when no candidate could be used. Raises the folder
// creation error of a candidate that cannot be created.
std::wstring GetDataFolder();

// The "USERDATA" folder when GetDataFolder's answer is the user's own folder
// in it, where files written before each user had one may still lie; else empty.
std::wstring GetSharedDataFolder();

// True when `path` names an existing folder after the call; with `create`, a
// missing folder is created first (its creation error passes to the caller).
bool EnsureFolder(const std::wstring& path, bool create);

// The value `name` under HKEY_LOCAL_MACHINE\SOFTWARE\<company>\<app>\Settings
// (64-bit view) as text; the empty text when missing or unreadable.
std::wstring ReadRegistrySetting(const std::wstring& name);
