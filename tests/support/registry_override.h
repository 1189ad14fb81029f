// Changes one registry value for the length of a test and puts the old one back.
//
//   UserEnvironmentOverride temp(L"TEMP");   // the printing user's environment,
//   temp.Set(L"C:\\somewhere");              // seen by the next CreateEnvironmentBlock
//   MonitorSettingOverride app(L"AppFolder");
//   app.Remove();
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class RegistryValueOverride {
 public:
  RegistryValueOverride(HKEY root, std::wstring subKey, std::wstring name);
  ~RegistryValueOverride();
  RegistryValueOverride(const RegistryValueOverride&) = delete;
  RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;

  void Set(const std::wstring& text, DWORD type = REG_SZ);
  void SetRaw(DWORD type, const void* data, DWORD size);
  void Remove();

 private:
  struct Stored {
    DWORD type;
    std::vector<BYTE> data;
  };
  HKEY root_;
  std::wstring subKey_;
  std::wstring name_;
  std::optional<Stored> original_;
};

// A variable of the printing user's environment: HKCU\Environment.
class UserEnvironmentOverride : public RegistryValueOverride {
 public:
  explicit UserEnvironmentOverride(std::wstring name)
      : RegistryValueOverride(HKEY_CURRENT_USER, L"Environment", std::move(name)) {}
};

// A value of the machine-wide settings key that the monitor reads.
class MonitorSettingOverride : public RegistryValueOverride {
 public:
  explicit MonitorSettingOverride(std::wstring name)
      : RegistryValueOverride(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Quillmar\\PDF Writer\\Settings",
                              std::move(name)) {}
};

// Removes TEMP and TMP of the printing user, at user and machine level, for a test.
class NoUserTempFolders {
 public:
  NoUserTempFolders();

 private:
  UserEnvironmentOverride userTemp_{L"TEMP"};
  UserEnvironmentOverride userTmp_{L"TMP"};
  RegistryValueOverride machineTemp_;
  RegistryValueOverride machineTmp_;
};

// Removes the machine-wide settings key for a test, and puts it back with its
// values afterwards when it existed before.
class SettingsKeyRemoved {
 public:
  SettingsKeyRemoved();
  ~SettingsKeyRemoved();
  SettingsKeyRemoved(const SettingsKeyRemoved&) = delete;
  SettingsKeyRemoved& operator=(const SettingsKeyRemoved&) = delete;

 private:
  struct Value {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
  };
  std::optional<std::vector<Value>> values_;  // nothing: there was no key
};
