#include "machine_settings.h"

#include <windows.h>

#include "monitor_texts.h"
#include "text_rules.h"
#include "unique_resource.h"

namespace {

constexpr DWORD kMaxSettingBytes = 8150;

}  // namespace

std::optional<std::wstring> ReadSetting(const wchar_t* name) {
  UniqueRegKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, monitor_texts::kSettingsKey, 0, KEY_QUERY_VALUE,
                    key.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  wchar_t data[kMaxSettingBytes / sizeof(wchar_t)];
  DWORD size = sizeof(data);
  DWORD type = REG_NONE;
  const LONG status =
      RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<LPBYTE>(data), &size);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return TextFromData(data, size / sizeof(wchar_t));
}
