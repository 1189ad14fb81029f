#include "registry_override.h"

namespace {

constexpr wchar_t kMachineEnvironment[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

HKEY OpenOrCreate(HKEY root, const std::wstring& subKey) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

}  // namespace

RegistryValueOverride::RegistryValueOverride(HKEY root, std::wstring subKey, std::wstring name)
    : root_(root), subKey_(std::move(subKey)), name_(std::move(name)) {
  HKEY key = OpenOrCreate(root_, subKey_);
  if (!key) return;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, name_.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    Stored stored{type, std::vector<BYTE>(size)};
    if (RegQueryValueExW(key, name_.c_str(), nullptr, &type, stored.data.data(), &size) ==
        ERROR_SUCCESS) {
      stored.data.resize(size);
      original_ = std::move(stored);
    }
  }
  RegCloseKey(key);
}

RegistryValueOverride::~RegistryValueOverride() {
  if (original_) {
    SetRaw(original_->type, original_->data.data(), static_cast<DWORD>(original_->data.size()));
  } else {
    Remove();
  }
}

void RegistryValueOverride::Set(const std::wstring& text, DWORD type) {
  SetRaw(type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void RegistryValueOverride::SetRaw(DWORD type, const void* data, DWORD size) {
  HKEY key = OpenOrCreate(root_, subKey_);
  if (!key) return;
  RegSetValueExW(key, name_.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void RegistryValueOverride::Remove() {
  HKEY key = OpenOrCreate(root_, subKey_);
  if (!key) return;
  RegDeleteValueW(key, name_.c_str());
  RegCloseKey(key);
}

NoUserTempFolders::NoUserTempFolders()
    : machineTemp_(HKEY_LOCAL_MACHINE, kMachineEnvironment, L"TEMP"),
      machineTmp_(HKEY_LOCAL_MACHINE, kMachineEnvironment, L"TMP") {
  userTemp_.Remove();
  userTmp_.Remove();
  machineTemp_.Remove();
  machineTmp_.Remove();
}

namespace {
constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Quillmar\\PDF Writer\\Settings";
}  // namespace

SettingsKeyRemoved::SettingsKeyRemoved() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  values_.emplace();
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256, type = 0, size = 0;
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
      break;
    }
    Value value{std::wstring(name, nameLength), type, std::vector<BYTE>(size)};
    nameLength = 256;
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, value.data.data(), &size) ==
        ERROR_SUCCESS) {
      value.data.resize(size);
      values_->push_back(std::move(value));
    }
  }
  RegCloseKey(key);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSettingsKey);
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSettingsKey);
}

SettingsKeyRemoved::~SettingsKeyRemoved() {
  if (!values_) return;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  for (const Value& value : *values_) {
    RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(),
                   static_cast<DWORD>(value.data.size()));
  }
  RegCloseKey(key);
}
