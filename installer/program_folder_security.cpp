#include "program_folder_security.h"

#include <windows.h>
#include <aclapi.h>

#include <array>
#include <vector>

#include "program_folder_rule.h"
#include "setup_error.h"
#include "unique_resource.h"

namespace {

using Sid = std::array<BYTE, SECURITY_MAX_SID_SIZE>;

Sid WellKnownSid(WELL_KNOWN_SID_TYPE type) {
  Sid sid{};
  DWORD size = static_cast<DWORD>(sid.size());
  if (!CreateWellKnownSid(type, nullptr, sid.data(), &size)) ThrowLastError(L"Creating a SID");
  return sid;
}

EXPLICIT_ACCESS_W Allow(Sid& sid, DWORD rights) {
  EXPLICIT_ACCESS_W access{};
  access.grfAccessPermissions = rights;
  access.grfAccessMode = SET_ACCESS;
  access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
  access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  access.Trustee.ptstrName = reinterpret_cast<LPWSTR>(sid.data());
  return access;
}

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

void MakeFolder(const std::wstring& folder) {
  const size_t parentEnd = folder.find_last_of(L'\\');
  if (parentEnd != std::wstring::npos && parentEnd > 2) {
    const std::wstring parent = folder.substr(0, parentEnd);
    if (GetFileAttributesW(parent.c_str()) == INVALID_FILE_ATTRIBUTES) MakeFolder(parent);
  }
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    ThrowLastError(L"Creating the program folder " + folder);
  }
}

void SetRights(const std::wstring& path, SECURITY_INFORMATION what, Sid& owner, PACL acl) {
  const DWORD result = SetNamedSecurityInfoW(const_cast<LPWSTR>(path.c_str()), SE_FILE_OBJECT, what,
                                             owner.data(), nullptr, acl, nullptr);
  if (result != ERROR_SUCCESS) ThrowError(L"Securing " + path, result);
}

// Everything inside `folder` gets the owner and only the rights it inherits.
void ResetContents(const std::wstring& folder, Sid& owner, PACL emptyAcl) {
  WIN32_FIND_DATAW found{};
  UniqueFindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &found));
  if (!search) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    SetRights(path,
              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                  UNPROTECTED_DACL_SECURITY_INFORMATION,
              owner, emptyAcl);
    const bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    if (isFolder && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      ResetContents(path, owner, emptyAcl);
    }
  } while (FindNextFileW(search.get(), &found));
}

}  // namespace

void SecureProgramFolder(const std::wstring& folder, const std::wstring& programFiles) {
  const std::wstring path = FullPath(folder);
  MakeFolder(path);
  if (IsInsideFolder(path, FullPath(programFiles))) return;

  Sid administrators = WellKnownSid(WinBuiltinAdministratorsSid);
  Sid system = WellKnownSid(WinLocalSystemSid);
  Sid users = WellKnownSid(WinBuiltinUsersSid);
  // Specific rights, as Program Files holds them: full control, read and execute.
  EXPLICIT_ACCESS_W entries[] = {Allow(administrators, FILE_ALL_ACCESS),
                                 Allow(system, FILE_ALL_ACCESS),
                                 Allow(users, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE)};
  PACL acl = nullptr;
  DWORD result = SetEntriesInAclW(3, entries, nullptr, &acl);
  if (result != ERROR_SUCCESS) ThrowError(L"Building the folder's rights", result);
  UniqueLocalMemory aclMemory(acl);
  SetRights(
      path,
      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
      administrators, acl);

  ACL emptyAcl{};
  if (!InitializeAcl(&emptyAcl, sizeof(emptyAcl), ACL_REVISION)) {
    ThrowLastError(L"Building an empty ACL");
  }
  ResetContents(path, administrators, &emptyAcl);
}
