#include "program_folder_security.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "program_folder_rule.h"
#include "setup_error.h"
#include "unique_resource.h"

namespace {

// kProgramFolderRights, ready for the system calls.
class ProgramFolderRights {
 public:
  ProgramFolderRights() {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kProgramFolderRights, SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
      ThrowLastError(L"Building the folder's rights");
    }
    memory_.reset(descriptor);
    BOOL present = FALSE, defaulted = FALSE;
    GetSecurityDescriptorOwner(descriptor, &owner_, &defaulted);
    GetSecurityDescriptorDacl(descriptor, &present, &dacl_, &defaulted);
    attributes_ = {sizeof(attributes_), descriptor, FALSE};
  }
  SECURITY_ATTRIBUTES* ForCreation() { return &attributes_; }
  PSID Owner() const { return owner_; }
  PACL Dacl() const { return dacl_; }

 private:
  UniqueLocalMemory memory_;
  SECURITY_ATTRIBUTES attributes_{};
  PSID owner_ = nullptr;
  PACL dacl_ = nullptr;
};

std::wstring FullPath(const std::wstring& path) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) ThrowLastError(L"Reading the folder's full path");
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(length);
  }
}

std::wstring SidText(PSID sid) {
  wchar_t* text = nullptr;
  if (!sid || !ConvertSidToStringSidW(sid, &text)) return {};
  UniqueLocalMemory textMemory(text);
  return text;
}

// The drive of a full path "C:\...": "C:\".
std::wstring DriveOf(const std::wstring& fullPath) { return fullPath.substr(0, 2) + L"\\"; }

UniqueLocalMemory SidFromText(const std::wstring& text) {
  PSID sid = nullptr;
  if (!ConvertStringSidToSidW(text.c_str(), &sid)) return UniqueLocalMemory();
  return UniqueLocalMemory(sid);
}

// The exit code of printer_setup.exe for a refusal.
DWORD RefusalCode(FolderVerdict verdict) {
  switch (verdict) {
    case FolderVerdict::kRefuseLink:
      return kErrorReparsePointEncountered;
    case FolderVerdict::kRefuseOwner:
      return ERROR_INVALID_OWNER;
    case FolderVerdict::kRefuseRebuild:
      return ERROR_INVALID_ACL;
    case FolderVerdict::kRefuseNetwork:
      return ERROR_NOT_SUPPORTED;
    case FolderVerdict::kUse:
      break;
  }
  return ERROR_SUCCESS;
}

// "DOMAIN\name (S-1-...)", or the SID alone when it names no known account.
std::wstring AccountName(PSID sid) {
  wchar_t name[256], domain[256];
  DWORD nameLength = 256, domainLength = 256;
  SID_NAME_USE use;
  const std::wstring text = SidText(sid);
  if (!sid || !LookupAccountSidW(nullptr, sid, name, &nameLength, domain, &domainLength, &use)) {
    return text;
  }
  return (domainLength ? std::wstring(domain) + L"\\" : L"") + name + L" (" + text + L")";
}

// The account the setup runs as.
std::wstring SetupAccount() {
  UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) {
    ThrowLastError(L"Reading the setup's account");
  }
  std::vector<BYTE> buffer(sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE);
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()),
                           &size)) {
    ThrowLastError(L"Reading the setup's account");
  }
  return SidText(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
}

// Opens the entry itself, a link included, not what a link points to. Without
// FILE_SHARE_DELETE, nobody renames or deletes it while it is held.
UniqueFileHandle OpenWithoutFollowing(const std::wstring& path, DWORD share) {
  UniqueFileHandle handle(
      CreateFileW(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!handle) ThrowLastError(L"Opening " + path);
  return handle;
}

// The entry's attributes as its handle and as its folder's listing report
// them: a file system may show a link in only one of the two.
DWORD Attributes(HANDLE handle, DWORD listed) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(handle, &information)) ThrowLastError(L"Reading attributes");
  return information.dwFileAttributes | listed;
}

DWORD PathAttributes(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes;
}

bool IsLink(DWORD attributes) { return attributes & FILE_ATTRIBUTE_REPARSE_POINT; }

// The allowing entries of `dacl` that apply to the folder itself; a missing
// DACL lets everyone do everything.
std::vector<FolderGrant> GrantsOf(PACL dacl, BOOL present) {
  if (!present || !dacl) return {{L"S-1-1-0", GENERIC_ALL}};
  std::vector<FolderGrant> grants;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(dacl, i, &ace)) ThrowLastError(L"Reading a folder's rights");
    const auto* header = static_cast<const ACE_HEADER*>(ace);
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE)) {
      continue;
    }
    const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
    grants.push_back({SidText(const_cast<DWORD*>(&allowed->SidStart)), allowed->Mask});
  }
  return grants;
}

// Refuses a folder on the path that is a link or whose owner is not trusted,
// and a parent folder of the program folder that someone untrusted may change.
void CheckFolderOnPath(HANDLE handle, const std::wstring& path, const std::wstring& setupAccount,
                       bool isParent) {
  const DWORD attributes = Attributes(handle, PathAttributes(path));
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD result = GetSecurityInfo(handle, SE_FILE_OBJECT,
                                       OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                       &owner, nullptr, &dacl, nullptr, &descriptor);
  if (result != ERROR_SUCCESS) ThrowError(L"Reading the rights of " + path, result);
  UniqueLocalMemory descriptorMemory(descriptor);
  BOOL present = FALSE, defaulted = FALSE;
  GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
  const std::wstring rebuilder =
      isParent ? UntrustedRebuilder(GrantsOf(dacl, present), setupAccount) : std::wstring();
  const FolderVerdict verdict =
      JudgeFolderOnPath(IsLink(attributes), SidText(owner), setupAccount, rebuilder);
  if (verdict != FolderVerdict::kUse) {
    throw SetupRefusal{RefusalText(verdict, path,
                                   verdict == FolderVerdict::kRefuseRebuild
                                       ? AccountName(SidFromText(rebuilder).get())
                                       : AccountName(owner)),
                       RefusalCode(verdict)};
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) ThrowError(L"Using " + path, ERROR_DIRECTORY);
}

void SetRights(const std::wstring& path, SECURITY_INFORMATION what, PSID owner, PACL acl) {
  const DWORD result = SetNamedSecurityInfoW(const_cast<LPWSTR>(path.c_str()), SE_FILE_OBJECT, what,
                                             owner, nullptr, acl, nullptr);
  if (result != ERROR_SUCCESS) ThrowError(L"Securing " + path, result);
}

// Everything inside `folder` gets the owner and only the rights it inherits.
// A link is never followed: the setup stops at it.
void ResetContents(const std::wstring& folder, PSID owner, PACL emptyAcl) {
  WIN32_FIND_DATAW found{};
  UniqueFindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &found));
  if (!search) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    const DWORD attributes = Attributes(
        OpenWithoutFollowing(path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE).get(),
        found.dwFileAttributes);
    const ContentAction action =
        ActionForContent(IsLink(attributes), attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (action == ContentAction::kRefuseLink) {
      throw SetupRefusal{ContentLinkText(path), kErrorReparsePointEncountered};
    }
    SetRights(path,
              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                  UNPROTECTED_DACL_SECURITY_INFORMATION,
              owner, emptyAcl);
    if (action == ContentAction::kResetAndDescend) ResetContents(path, owner, emptyAcl);
  } while (FindNextFileW(search.get(), &found));
}

void MakeFolder(const std::wstring& path, SECURITY_ATTRIBUTES* attributes) {
  if (!CreateDirectoryW(path.c_str(), attributes)) ThrowLastError(L"Creating the folder " + path);
}

}  // namespace

void SecureProgramFolder(const std::wstring& folder, const std::wstring& programFiles) {
  const std::wstring path = FullPath(folder);
  // A share, or a drive letter given to one.
  if (IsNetworkPath(path) || GetDriveTypeW(DriveOf(path).c_str()) == DRIVE_REMOTE) {
    throw SetupRefusal{RefusalText(FolderVerdict::kRefuseNetwork, path, {}),
                       RefusalCode(FolderVerdict::kRefuseNetwork)};
  }
  const std::vector<ProgramFolderStep> plan =
      PlanProgramFolder(path, [](const std::wstring& p) { return PathAttributes(p) != 0; });
  if (plan.empty()) {
    throw SetupRefusal{path + L" is a drive or share: choose a folder in it.", ERROR_BAD_PATHNAME};
  }
  if (IsInsideFolder(path, FullPath(programFiles))) {
    // Missing folders inherit the rights of Program Files.
    for (const ProgramFolderStep& step : plan) {
      if (step.action == FolderStepAction::kCreate) MakeFolder(step.path, nullptr);
    }
    return;
  }

  // Every folder of the path stays held while the setup works on it, so none
  // of them can be renamed or replaced between its check and its use.
  ProgramFolderRights rights;
  const std::wstring setupAccount = SetupAccount();
  std::vector<UniqueFileHandle> held;
  for (const ProgramFolderStep& step : plan) {
    if (step.action == FolderStepAction::kCreate) MakeFolder(step.path, rights.ForCreation());
    held.push_back(OpenWithoutFollowing(step.path, FILE_SHARE_READ | FILE_SHARE_WRITE));
    if (step.action == FolderStepAction::kCheck) {
      CheckFolderOnPath(held.back().get(), step.path, setupAccount, &step != &plan.back());
    }
  }

  // The contents first, refusing any link before the folder's new rights
  // spread to what it holds.
  ACL emptyAcl{};
  if (!InitializeAcl(&emptyAcl, sizeof(emptyAcl), ACL_REVISION)) {
    ThrowLastError(L"Building an empty ACL");
  }
  ResetContents(path, rights.Owner(), &emptyAcl);
  SetRights(
      path,
      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
      rights.Owner(), rights.Dacl());
}
