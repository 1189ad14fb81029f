#include "data_folder_rule.h"

#include "trailing_backslash.h"

namespace {

std::wstring UsableOrEmpty(const DataFolderSources& sources, std::wstring candidate) {
  return sources.ensureFolder(candidate) ? candidate : std::wstring();
}

}  // namespace

ResolvedDataFolder ResolveDataFolder(const DataFolderSources& sources) {
  std::wstring candidate;
  for (const wchar_t* variable : {L"APPDATA", L"USERPROFILE"}) {
    const std::wstring base = sources.environment(variable);
    if (base.empty()) continue;
    candidate =
        UsableOrEmpty(sources, DropOneTrailingBackslash(base) + L"\\" + sources.companyFolderName +
                                   L"\\" + sources.appFolderName);
    if (!candidate.empty()) return {candidate, {}};
  }
  // The machine-wide folder is shared: each user keeps the files in a folder
  // of that user's own.
  const std::wstring userData = sources.registryUserData();
  if (!userData.empty()) {
    const std::wstring shared = DropOneTrailingBackslash(userData);
    const std::wstring sid = sources.userSid();
    if (!sid.empty() && sources.ensureFolder(shared)) {
      const std::wstring own = shared + L"\\" + sid;
      if (sources.ensureUserFolder(own, sid)) return {own, shared};
    }
  }
  return {UsableOrEmpty(sources, sources.libraryFolder() + L"\\data"), {}};
}
