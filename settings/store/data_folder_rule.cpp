#include "data_folder_rule.h"

#include "trailing_backslash.h"

namespace {

std::wstring UsableOrEmpty(const DataFolderSources& sources, std::wstring candidate) {
  return sources.ensureFolder(candidate) ? candidate : std::wstring();
}

}  // namespace

std::wstring ResolveDataFolder(const DataFolderSources& sources) {
  std::wstring candidate;
  for (const wchar_t* variable : {L"APPDATA", L"USERPROFILE"}) {
    const std::wstring base = sources.environment(variable);
    if (base.empty()) continue;
    candidate =
        UsableOrEmpty(sources, DropOneTrailingBackslash(base) + L"\\" + sources.companyFolderName +
                                   L"\\" + sources.appFolderName);
    if (!candidate.empty()) return candidate;
  }
  const std::wstring userData = sources.registryUserData();
  if (!userData.empty()) {
    candidate = UsableOrEmpty(sources, DropOneTrailingBackslash(userData));
    if (!candidate.empty()) return candidate;
  }
  return UsableOrEmpty(sources, sources.libraryFolder() + L"\\data");
}
