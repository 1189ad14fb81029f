#include "user_folder.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include "automation_error.h"
#include "file_system.h"
#include "system_message.h"
#include "unique_resource.h"

namespace {

std::wstring SidText(PSID sid) {
  LPWSTR raw = nullptr;
  if (!ConvertSidToStringSidW(sid, &raw)) return {};
  const UniqueLocalMemory text(raw);
  return raw;
}

}  // namespace

std::wstring CurrentUserSid() {
  HANDLE raw = nullptr;
  if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &raw) &&
      !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) {
    return {};
  }
  const UniqueHandle token(raw);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::wstring buffer((size + sizeof(wchar_t) - 1) / sizeof(wchar_t), L'\0');
  if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
  return SidText(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid);
}

bool EnsurePrivateFolder(const std::wstring& path, const std::wstring& sid) {
  if (IsFolder(path)) return true;
  // Full control for the user, SYSTEM and Administrators, on the folder and
  // everything in it; "P": the parent's entries are not inherited.
  const std::wstring descriptor = L"D:P(A;OICI;FA;;;" + sid + L")(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
  PSECURITY_DESCRIPTOR raw = nullptr;
  const bool made = ConvertStringSecurityDescriptorToSecurityDescriptorW(
      descriptor.c_str(), SDDL_REVISION_1, &raw, nullptr);
  const UniqueLocalMemory security(raw);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, raw, FALSE};
  if (!made || (!CreateDirectoryW(path.c_str(), &attributes) && !IsFolder(path))) {
    const DWORD reason = GetLastError();
    RaiseError(75, L"Error creating folder " + path + L". " + SystemMessage(reason));
  }
  return IsFolder(path);
}

bool IsOwnedBy(const std::wstring& path, const std::wstring& sid) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR raw = nullptr;
  const DWORD result =
      GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                            nullptr, nullptr, nullptr, &raw);
  const UniqueLocalMemory descriptor(raw);
  return result == ERROR_SUCCESS && owner && !sid.empty() && SidText(owner) == sid;
}
