#include "older_settings_files.h"

#include "data_folder.h"
#include "file_system.h"
#include "long_path.h"
#include "settings_file_name.h"
#include "user_folder.h"

std::vector<std::wstring> OlderSettingsFiles(bool isRunOnce, const std::wstring& instance) {
  std::vector<std::wstring> files;
  if (auto verbatim = VerbatimSettingsFileName(GetDataFolder(), isRunOnce, instance)) {
    files.push_back(std::move(*verbatim));
  }
  const std::wstring shared = GetSharedDataFolder();
  if (shared.empty()) return files;
  // Another user's file in the shared folder is never read as this user's.
  const std::wstring sid = CurrentUserSid();
  std::vector<std::wstring> sharedFiles{SettingsFileName(shared, isRunOnce, instance)};
  if (auto verbatim = VerbatimSettingsFileName(shared, isRunOnce, instance)) {
    sharedFiles.push_back(std::move(*verbatim));
  }
  for (std::wstring& file : sharedFiles) {
    const std::wstring path = LongPath(file);
    if (IsFile(path) && IsOwnedBy(path, sid)) files.push_back(std::move(file));
  }
  return files;
}
