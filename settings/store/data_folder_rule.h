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
  // The company and application names, already cleaned for use as folder names.
  std::wstring companyFolderName;
  std::wstring appFolderName;
};

// The first usable candidate of: %APPDATA%\Company\App, %USERPROFILE%\Company\App,
// the "USERDATA" folder as it is, and the library folder + "\data". One trailing
// backslash of a source is dropped. Empty when no candidate could be used. A
// creation error of `ensureFolder` ends the search and passes to the caller.
std::wstring ResolveDataFolder(const DataFolderSources& sources);
