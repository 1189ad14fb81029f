#include "registry_read.h"

#include <cstring>
#include <optional>

#include "environment_text.h"
#include "op_sys_info.h"
#include "registry_path.h"
#include "unique_resource.h"

namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users:
      return HKEY_USERS;
  }
  return nullptr;
}

// Reads the value's data in full; the status of that second query.
LONG QueryData(HKEY key, const std::wstring& valueName, std::vector<BYTE>& data) {
  DWORD size = static_cast<DWORD>(data.size());
  const LONG status =
      RegQueryValueExW(key, valueName.c_str(), nullptr, nullptr, data.data(), &size);
  if (status == ERROR_SUCCESS) data.resize(size);
  return status;
}

}  // namespace

std::int32_t QueryRegValue(HKEY key, const std::wstring& valueName,
                           RegistryValue& result) noexcept {
  try {
    // A NUL would cut the name short and select another value.
    if (valueName.find(L'\0') != std::wstring::npos) return ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) return status;

    switch (type) {
      case REG_SZ:
      case REG_EXPAND_SZ: {
        std::vector<BYTE> data(size, 0);
        status = QueryData(key, valueName, data);
        if (status != ERROR_SUCCESS) {
          result = RegEmpty{};
          return status;
        }
        // The text is the data less its terminating character; with no
        // character at all there is nothing to return.
        const std::size_t characters = data.size() / sizeof(wchar_t);
        if (characters == 0) return status;
        std::wstring text(characters - 1, L'\0');
        std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
        if (type == REG_EXPAND_SZ) {
          std::optional<std::wstring> expanded = ExpandEnvironmentReferences(text);
          if (!expanded) return -1;
          text = std::move(*expanded);
        }
        result = std::move(text);
        return status;
      }
      case REG_BINARY: {
        std::vector<BYTE> data(size, 0);
        status = QueryData(key, valueName, data);
        if (status != ERROR_SUCCESS) {
          result = RegEmpty{};
          return status;
        }
        if (data.empty()) return status;  // no bytes: no array to return
        result = std::vector<std::uint8_t>(data.begin(), data.end());
        return status;
      }
      case REG_DWORD: {
        // Exactly four bytes are read; longer data fails with ERROR_MORE_DATA.
        std::int32_t number = 0;
        DWORD numberSize = sizeof(number);
        status = RegQueryValueExW(key, valueName.c_str(), nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(&number), &numberSize);
        if (status == ERROR_SUCCESS) result = number;
        return status;
      }
      default:
        return -1;
    }
  } catch (...) {
    return -1;
  }
}

RegistryValue RegRead(const std::wstring& path, bool& use64BitView) noexcept {
  try {
    return RegRead(path, use64BitView, GetOpSysInfo());
  } catch (...) {
    return RegNull{};
  }
}

RegistryValue RegRead(const std::wstring& path, bool& use64BitView,
                      const COpSysInfo& system) noexcept {
  try {
    // Systems before XP do not know the 64-bit view access bit.
    if (use64BitView && !system.IsWinXP()) use64BitView = false;
    RegistryValue result = RegNull{};
    const std::optional<RegistryPath> split = SplitRegistryPath(path);
    if (!split) return result;

    const REGSAM access = KEY_READ | (use64BitView ? KEY_WOW64_64KEY : 0);
    UniqueRegKey key;
    if (RegOpenKeyExW(RootKey(split->root), split->keyPath.c_str(), 0, access, key.put()) !=
        ERROR_SUCCESS) {
      return result;
    }
    if (QueryRegValue(key.get(), split->valueName, result) != 0) result = RegNull{};
    return result;
  } catch (...) {
    return RegNull{};
  }
}

std::wstring RegReadText(const std::wstring& path) {
  bool use64BitView = true;
  const RegistryValue value = RegRead(path, use64BitView);
  const std::wstring* text = std::get_if<std::wstring>(&value);
  return text ? *text : std::wstring();
}
