#include "program_folder_rule.h"

#include "path_names.h"
#include "port_values.h"

namespace {

// Backslashes only, one between two names (a UNC path keeps its leading two),
// without trailing separators.
std::wstring Normalized(const std::wstring& path) {
  std::wstring result;
  for (wchar_t c : path) {
    if (c == L'/') c = L'\\';
    if (c != L'\\' || result.size() < 2 || result.back() != L'\\') result.push_back(c);
  }
  while (!result.empty() && result.back() == L'\\') result.pop_back();
  return result;
}

constexpr wchar_t kAdministrators[] = L"S-1-5-32-544";
constexpr wchar_t kSystem[] = L"S-1-5-18";
constexpr wchar_t kTrustedInstaller[] =
    L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
// CREATOR OWNER outside an inherit-only entry names nobody; OWNER RIGHTS names
// the folder's owner, who has passed IsTrustedOwner already.
constexpr wchar_t kCreatorOwner[] = L"S-1-3-0";
constexpr wchar_t kOwnerRights[] = L"S-1-3-4";

// DELETE, WRITE_DAC, WRITE_OWNER, GENERIC_ALL and FILE_DELETE_CHILD: the
// rights that take a folder or its entries away, or give them away.
constexpr unsigned long kRightsToRebuild = 0x00010000 | 0x00040000 | 0x00080000 | 0x10000000 | 0x40;

}  // namespace

bool IsInsideFolder(const std::wstring& path, const std::wstring& folder) {
  const std::wstring p = Normalized(path);
  const std::wstring f = Normalized(folder);
  if (f.empty() || p.size() < f.size()) return false;
  if (!EqualIgnoringAsciiCase(p.substr(0, f.size()), f)) return false;
  return p.size() == f.size() || p[f.size()] == L'\\';
}

std::vector<ProgramFolderStep> PlanProgramFolder(
    const std::wstring& fullPath, const std::function<bool(const std::wstring&)>& exists) {
  const FolderPlan tree = PlanFolderTree(Normalized(fullPath));
  std::vector<ProgramFolderStep> steps;
  bool missing = false;
  for (const FolderStep& step : tree.steps) {
    if (!step.mayCreate) {
      // Only the innermost part that is never created (the drive, the share)
      // is a folder of its own; the parts before it are not.
      steps.assign(1, {step.path, FolderStepAction::kCheck});
      continue;
    }
    const std::wstring path = Normalized(step.path);
    missing = missing || !exists(path);
    steps.push_back({path, missing ? FolderStepAction::kCreate : FolderStepAction::kCheck});
  }
  if (steps.size() < 2) steps.clear();
  return steps;
}

bool IsTrustedOwner(const std::wstring& ownerSid, const std::wstring& setupAccountSid) {
  if (ownerSid.empty()) return false;
  return ownerSid == kAdministrators || ownerSid == kSystem || ownerSid == kTrustedInstaller ||
         ownerSid == setupAccountSid;
}

bool IsNetworkPath(const std::wstring& fullPath) {
  const std::wstring path = Normalized(fullPath);
  if (path.size() < 2 || path[0] != L'\\' || path[1] != L'\\') return false;
  // "\\?\C:\..." and "\\.\C:\..." name a local drive; every other
  // path that starts with two separators names a server.
  const bool deviceForm =
      path.size() >= 4 && (path[2] == L'?' || path[2] == L'.') && path[3] == L'\\';
  if (!deviceForm) return true;
  return EqualIgnoringAsciiCase(path.substr(4, 4), L"UNC\\") || path.size() < 6 || path[5] != L':';
}

std::wstring UntrustedRebuilder(const std::vector<FolderGrant>& grants,
                                const std::wstring& setupAccountSid) {
  for (const FolderGrant& grant : grants) {
    if (!(grant.rights & kRightsToRebuild)) continue;
    if (IsTrustedOwner(grant.sid, setupAccountSid) || grant.sid == kCreatorOwner ||
        grant.sid == kOwnerRights) {
      continue;
    }
    return grant.sid;
  }
  return {};
}

FolderVerdict JudgeFolderOnPath(bool isLink, const std::wstring& ownerSid,
                                const std::wstring& setupAccountSid,
                                const std::wstring& rebuilderSid) {
  if (isLink) return FolderVerdict::kRefuseLink;
  if (!IsTrustedOwner(ownerSid, setupAccountSid)) return FolderVerdict::kRefuseOwner;
  if (!rebuilderSid.empty()) return FolderVerdict::kRefuseRebuild;
  return FolderVerdict::kUse;
}

std::wstring RefusalText(FolderVerdict verdict, const std::wstring& folder,
                         const std::wstring& account) {
  switch (verdict) {
    case FolderVerdict::kRefuseLink:
      return folder +
             L" is a junction or symbolic link: the program folder's path may hold none. "
             L"Remove the link or choose another folder.";
    case FolderVerdict::kRefuseOwner:
      return folder + L" belongs to " + (account.empty() ? L"nobody" : account) +
             L", not to Administrators, SYSTEM, TrustedInstaller or the account that runs the "
             L"setup: someone else may control it. Choose another folder.";
    case FolderVerdict::kRefuseRebuild:
      return folder + L" lets " + account +
             L" delete or rename what it holds, or change its rights: the program folder's path "
             L"could be rebuilt with folders of someone else. Choose a folder in Program Files, "
             L"or one whose parent folders only administrators may change.";
    case FolderVerdict::kRefuseNetwork:
      return folder +
             L" is on a network share, whose folders the server's administrators control: "
             L"choose a folder on a local drive.";
    case FolderVerdict::kUse:
      break;
  }
  return {};
}

ContentAction ActionForContent(bool isLink, bool isFolder) {
  if (isLink) return ContentAction::kRefuseLink;
  return isFolder ? ContentAction::kResetAndDescend : ContentAction::kReset;
}

std::wstring ContentLinkText(const std::wstring& entry) {
  return L"The program folder holds a junction or symbolic link, " + entry +
         L", whose target the setup does not touch. Remove it and run the setup again.";
}
