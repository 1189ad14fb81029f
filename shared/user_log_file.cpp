#include "user_log_file.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include "log_rules.h"
#include "unique_resource.h"

std::optional<std::wstring> SidText(void* sid) {
  UniqueLocalMemory text;
  if (!sid || !ConvertSidToStringSidW(sid, reinterpret_cast<LPWSTR*>(text.put()))) {
    return std::nullopt;
  }
  return std::wstring(static_cast<const wchar_t*>(text.get()));
}

namespace {

// A file someone else may have prepared in the user's name is not written:
// a link, a second name of another file, or a file of another owner.
// (The two small queries, not GetFileInformationByHandle: that one also looks
// up the file's name and volume, which under Wine took 1.5 ms, most of the
// cost of a log entry, and the monitor writes some 27 entries per job.)
bool IsPlainFileOfTrustedOwner(HANDLE file, const std::wstring& userSid) {
  FILE_ATTRIBUTE_TAG_INFO attributes{};
  FILE_STANDARD_INFO standard{};
  if (!GetFileInformationByHandleEx(file, FileAttributeTagInfo, &attributes, sizeof attributes) ||
      !GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard)) {
    return false;
  }
  if (attributes.FileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) {
    return false;
  }
  if (standard.NumberOfLinks != 1) return false;
  PSID owner = nullptr;
  UniqueLocalMemory descriptor;
  if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                      nullptr,
                      reinterpret_cast<PSECURITY_DESCRIPTOR*>(descriptor.put())) != ERROR_SUCCESS) {
    return false;
  }
  const std::optional<std::wstring> ownerText = SidText(owner);
  return ownerText && IsTrustedLogOwner(*ownerText, userSid);
}

UniqueFileHandle OpenUserLog(const std::wstring& path, const std::wstring& userSid, bool truncate) {
  const std::wstring sddl = UserLogFileSddl(userSid);
  if (path.empty() || sddl.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return {};
  }
  UniqueLocalMemory descriptor;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
          sddl.c_str(), SDDL_REVISION_1, reinterpret_cast<PSECURITY_DESCRIPTOR*>(descriptor.put()),
          nullptr)) {
    return {};
  }
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
  // Without FILE_WRITE_DATA every write goes to the end, also between writers.
  const DWORD access = FILE_APPEND_DATA | READ_CONTROL | (truncate ? FILE_WRITE_DATA : 0);
  UniqueFileHandle file(CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &attributes, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return {};
  if (GetLastError() == ERROR_ALREADY_EXISTS && !IsPlainFileOfTrustedOwner(file.get(), userSid)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return {};
  }
  if (truncate && !SetEndOfFile(file.get())) return {};  // the new file's pointer is at 0
  return file;
}

}  // namespace

std::optional<std::wstring> CallerSidText() {
  UniqueHandle token;
  if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.put())) {
    if (GetLastError() != ERROR_NO_TOKEN) return std::nullopt;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return std::nullopt;
  }
  alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenUser, buffer, sizeof(buffer), &size)) {
    return std::nullopt;
  }
  return SidText(reinterpret_cast<const TOKEN_USER*>(buffer)->User.Sid);
}

bool WriteUserLog(const std::wstring& path, const std::wstring& userSid, std::string_view bytes,
                  bool truncate) {
  const UniqueFileHandle file = OpenUserLog(path, userSid, truncate);
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}
