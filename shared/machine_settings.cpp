#include "machine_settings.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "registry_text.h"
#include "trailing_backslash.h"
#include "unique_resource.h"

namespace {

constexpr wchar_t kDebugMarker[] = L"debug.txt";
constexpr DWORD kMaxValueBytes = 8150;

struct StoredValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// The value's type and data, read in the 64-bit view of the registry; nothing
// when the key or the value is missing or the data is longer than the limit.
std::optional<StoredValue> ReadStoredValue(const wchar_t* name) {
  UniqueRegKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, machine_settings::kKey, 0,
                    KEY_QUERY_VALUE | KEY_WOW64_64KEY, key.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  StoredValue value;
  value.data.resize(kMaxValueBytes);
  DWORD size = kMaxValueBytes;
  if (RegQueryValueExW(key.get(), name, nullptr, &value.type, value.data.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.data.resize(size);
  return value;
}

}  // namespace

std::optional<std::wstring> ReadMachineSetting(machine_settings::TextSetting setting) {
  const std::optional<StoredValue> value = ReadStoredValue(setting.name);
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return std::nullopt;
  std::wstring units(value->data.size() / sizeof(wchar_t), L'\0');
  std::memcpy(units.data(), value->data.data(), units.size() * sizeof(wchar_t));
  return TextFromData(units.data(), units.size());
}

std::optional<std::uint32_t> ReadMachineSetting(machine_settings::NumberSetting setting) {
  const std::optional<StoredValue> value = ReadStoredValue(setting.name);
  if (!value || value->type != REG_DWORD || value->data.size() != sizeof(std::uint32_t)) {
    return std::nullopt;
  }
  std::uint32_t number = 0;
  std::memcpy(&number, value->data.data(), sizeof number);
  return number;
}

bool SpoolFilesKeptIn(const std::wstring& appFolder) {
  WIN32_FIND_DATAW found;
  const UniqueFindHandle search(
      FindFirstFileW((WithTrailingBackslash(appFolder) + kDebugMarker).c_str(), &found));
  return static_cast<bool>(search);
}
