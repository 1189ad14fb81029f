#include "data_folder.h"

#include <windows.h>

#include <vector>

#include "data_folder_rule.h"
#include "file_system.h"
#include "machine_settings.h"
#include "own_module.h"
#include "path_names.h"
#include "product_names.h"
#include "registry_read.h"
#include "registry_setting_text.h"
#include "thread_state.h"
#include "user_folder.h"
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
  return RegistrySettingText(RegRead(path, use64BitView));
}

std::wstring GetDataFolder() {
  ThreadState& state = CurrentThreadState();
  // A cached folder that has been removed since is resolved (and created) again.
  if (!state.dataFolder.empty() && IsFolder(state.dataFolder)) return state.dataFolder;
  DataFolderSources sources;
  sources.environment = EnvironmentValue;
  sources.registryUserData = [] { return ReadRegistrySetting(machine_settings::kUserData.name); };
  sources.libraryFolder = OwnModuleFolder;
  sources.ensureFolder = [](const std::wstring& path) { return EnsureFolder(path, true); };
  sources.userSid = CurrentUserSid;
  sources.ensureUserFolder = EnsurePrivateFolder;
  sources.companyFolderName = SafeFolderName(GetCompanyName());
  sources.appFolderName = SafeFolderName(GetAppName());
  ResolvedDataFolder resolved = ResolveDataFolder(sources);
  state.dataFolder = std::move(resolved.folder);
  state.sharedDataFolder = std::move(resolved.sharedFolder);
  return state.dataFolder;
}

std::wstring GetSharedDataFolder() {
  GetDataFolder();
  return CurrentThreadState().sharedDataFolder;
}
