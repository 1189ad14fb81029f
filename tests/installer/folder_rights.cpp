#include "folder_rights.h"

#include <aclapi.h>
#include <sddl.h>

#include "wine_host_bridge.h"

namespace {

std::wstring SidText(PSID sid) {
  wchar_t* text = nullptr;
  if (!ConvertSidToStringSidW(sid, &text)) return L"?";
  std::wstring result = text;
  LocalFree(text);
  return result;
}

// Runs a host program (Z:\bin\...) on the host paths of `paths`.
bool RunOnHost(const wchar_t* program, std::vector<std::wstring> arguments,
               const std::vector<std::wstring>& paths) {
  for (const std::wstring& path : paths) {
    const std::optional<std::wstring> hostPath = HostPath(path);
    if (!hostPath) return false;
    arguments.push_back(*hostPath);
  }
  const RunResult result = RunHostProgram(program, arguments, 10000);
  return result.finished && result.exitCode == 0;
}

}  // namespace

std::set<std::wstring> Writers(const FolderRights& rights) {
  constexpr ACCESS_MASK kChanging = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                                    FILE_DELETE_CHILD | FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC |
                                    WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
  std::set<std::wstring> writers;
  for (const auto& [sid, mask] : rights.allowed) {
    if (mask & kChanging) writers.insert(sid);
  }
  return writers;
}

bool MayReadAndExecute(const FolderRights& rights, const std::wstring& sid) {
  const auto entry = rights.allowed.find(sid);
  constexpr ACCESS_MASK kReadExecute = FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;
  return entry != rights.allowed.end() && (entry->second & kReadExecute) == kReadExecute;
}

std::optional<FolderRights> ReadFolderRights(const std::wstring& folder) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT,
                            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                            &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  FolderRights rights;
  rights.owner = SidText(owner);
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(dacl, i, &ace)) continue;
    const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    rights.allowed[SidText(const_cast<DWORD*>(&allowed->SidStart))] |= allowed->Mask;
  }
  LocalFree(descriptor);
  return rights;
}

bool OpenToEveryone(const std::wstring& folder) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;OICI;FA;;;WD)", SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    return false;
  }
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
  const bool done = SetNamedSecurityInfoW(const_cast<wchar_t*>(folder.c_str()), SE_FILE_OBJECT,
                                          DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
                                          nullptr) == ERROR_SUCCESS;
  LocalFree(descriptor);
  return done;
}

bool PlantHostLink(const std::wstring& link, const std::wstring& target) {
  return RunOnHost(L"Z:\\bin\\ln", {L"-s"}, {target, link});
}

bool GiveToAnotherHostUser(const std::wstring& folder) {
  return RunOnHost(L"Z:\\bin\\chown", {L"65534"}, {folder});
}

bool RemoveHostTree(const std::wstring& path) {
  return RunOnHost(L"Z:\\bin\\rm", {L"-rf"}, {path});
}
