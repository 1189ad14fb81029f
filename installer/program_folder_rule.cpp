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

FolderVerdict JudgeFolderOnPath(bool isLink, const std::wstring& ownerSid,
                                const std::wstring& setupAccountSid) {
  if (isLink) return FolderVerdict::kRefuseLink;
  if (!IsTrustedOwner(ownerSid, setupAccountSid)) return FolderVerdict::kRefuseOwner;
  return FolderVerdict::kUse;
}

std::wstring RefusalText(FolderVerdict verdict, const std::wstring& folder,
                         const std::wstring& owner) {
  switch (verdict) {
    case FolderVerdict::kRefuseLink:
      return folder +
             L" is a junction or symbolic link: the program folder's path may hold none. "
             L"Remove the link or choose another folder.";
    case FolderVerdict::kRefuseOwner:
      return folder + L" belongs to " + (owner.empty() ? L"nobody" : owner) +
             L", not to Administrators, SYSTEM, TrustedInstaller or the account that runs the "
             L"setup: someone else may control it. Choose another folder.";
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
