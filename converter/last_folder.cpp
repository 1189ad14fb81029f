#include "last_folder.h"

#include <windows.h>

#include "registry_read.h"
#include "unique_resource.h"

namespace {

constexpr wchar_t kKey[] = L"Software\\Quillmar\\PDF Writer\\Job window";

}  // namespace

std::wstring LastFolder(const std::wstring& printerName) {
  UniqueRegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
    return {};
  RegistryValue value;
  if (QueryRegValue(key.get(), printerName, value) != 0) return {};
  const std::wstring* text = std::get_if<std::wstring>(&value);
  return text ? *text : std::wstring();
}

bool RememberLastFolder(const std::wstring& printerName, const std::wstring& folder) {
  UniqueRegKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                      nullptr, key.put(), nullptr) != ERROR_SUCCESS)
    return false;
  return RegSetValueExW(key.get(), printerName.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(folder.c_str()),
                        static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}
