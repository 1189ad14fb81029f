// Which folder holds the settings files: the order of the candidates and how
// each one is formed. The sources are handed in, so the rule runs without
// touching the environment, the registry or the file system.
#pragma once

#include <functional>
#include <string>

struct DataFolderSources {
  // The value of a process environment variable; empty when unset.
  std::function<std::wstring(const wchar_t* name)> environment;
  // The machine-wide fallback folder ("USERDATA"); empty when not set.
  std::function<std::wstring()> registryUserData;
  // The folder of the component's own library, without a trailing backslash.
  std::function<std::wstring()> libraryFolder;
  // Creates the folder when missing; true when it exists afterwards. May raise.
  std::function<bool(const std::wstring& path)> ensureFolder;
  // The calling user's security identifier as text; empty when unknown.
  std::function<std::wstring()> userSid;
  // Creates the user's own folder (its parent exists) with rights for that
  // user, SYSTEM and Administrators only, when missing; true when it exists
  // afterwards. May raise.
  std::function<bool(const std::wstring& path, const std::wstring& sid)> ensureUserFolder;
  // The company and application names, already cleaned for use as folder names.
  std::wstring companyFolderName;
  std::wstring appFolderName;
};

// The data folder, and where the files of its users were kept before.
struct ResolvedDataFolder {
  std::wstring folder;        // empty when no candidate could be used
  std::wstring sharedFolder;  // the "USERDATA" folder itself when `folder` is the user's part of it
};

// The first usable candidate of: %APPDATA%\Company\App, %USERPROFILE%\Company\App,
// the user's own folder in the "USERDATA" folder ("USERDATA\<SID>"; skipped
// when the user's SID is unknown), and the library folder + "\data". One
// trailing backslash of a source is dropped. A creation error ends the search
// and passes to the caller.
ResolvedDataFolder ResolveDataFolder(const DataFolderSources& sources);
