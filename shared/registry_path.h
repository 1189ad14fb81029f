// Splitting a full registry path into root, key path and value name.
#pragma once

#include <optional>
#include <string>

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users };

struct RegistryPath {
  RegistryRoot root;
  std::wstring keyPath;    // below the root, never empty
  std::wstring valueName;  // empty: the key's default value
};

// The root named by `name` in any case: HKEY_CLASSES_ROOT/HKCR,
// HKEY_CURRENT_USER/HKCU, HKEY_LOCAL_MACHINE/HKLM, HKEY_USERS/HKUR.
std::optional<RegistryRoot> ParseRegistryRoot(const std::wstring& name);

// Splits "ROOT\key path\value name"; nothing for a path without a backslash,
// an unknown root or an empty key path.
std::optional<RegistryPath> SplitRegistryPath(const std::wstring& path);
