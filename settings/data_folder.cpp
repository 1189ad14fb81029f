#include "data_folder.h"

#include <windows.h>

#include <type_traits>
#include <vector>

#include "data_folder_rule.h"
#include "file_system.h"
#include "own_module.h"
#include "path_names.h"
#include "product_names.h"
#include "registry_read.h"
#include "thread_state.h"
#include "version_resource.h"

namespace {

std::wstring EnvironmentValue(const wchar_t* name) {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    const DWORD length =
        GetEnvironmentVariableW(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(length);
  }
}

// A registry value as text: text as it is, an integer in decimal, else empty.
std::wstring RegistryText(const RegistryValue& value) {
  return std::visit(
      [](const auto& held) -> std::wstring {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, std::wstring>) {
          return held;
        } else if constexpr (std::is_same_v<Held, std::int32_t>) {
          return std::to_wstring(held);
        } else {
          return {};
        }
      },
      value);
}

}  // namespace

bool EnsureFolder(const std::wstring& path, bool create) {
  if (create && !IsFolder(path)) MkDirRecurse(path);
  return IsFolder(path);
}

std::wstring ReadRegistrySetting(const std::wstring& name) {
  const std::wstring path = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\" +
                            ReplaceBackslashes(GetCompanyName()) + L"\\" +
                            ReplaceBackslashes(GetAppName()) + L"\\Settings\\" + name;
  bool use64BitView = true;
  return RegistryText(RegRead(path, use64BitView));
}

std::wstring GetDataFolder() {
  ThreadState& state = CurrentThreadState();
  if (!state.dataFolder.empty()) return state.dataFolder;
  DataFolderSources sources;
  sources.environment = EnvironmentValue;
  sources.registryUserData = [] { return ReadRegistrySetting(L"USERDATA"); };
  sources.libraryFolder = OwnModuleFolder;
  sources.ensureFolder = [](const std::wstring& path) { return EnsureFolder(path, true); };
  sources.companyFolderName = SafeFolderName(GetCompanyName());
  sources.appFolderName = SafeFolderName(GetAppName());
  state.dataFolder = ResolveDataFolder(sources);
  return state.dataFolder;
}
