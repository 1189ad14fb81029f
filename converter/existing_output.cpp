#include "existing_output.h"

#include <windows.h>
#include <aclapi.h>

#include "append_rule.h"
#include "job_failure.h"
#include "unique_resource.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kPollMs = 50;

// The SID in a token's TokenUser or TokenOwner record.
bool TokenHasSid(HANDLE token, TOKEN_INFORMATION_CLASS kind, PSID sid) {
  alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  if (!GetTokenInformation(token, kind, buffer, sizeof buffer, &size)) return false;
  const PSID own = kind == TokenUser ? reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid
                                     : reinterpret_cast<TOKEN_OWNER*>(buffer)->Owner;
  return EqualSid(own, sid);
}

// The file's owner is the converter's user (it runs as the printing user), or
// the owner its token gives new files (Administrators for an elevated one).
bool OwnedByUser(HANDLE file) {
  PSID owner = nullptr;
  UniqueLocalMemory descriptor;
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                      nullptr, &raw) != ERROR_SUCCESS) {
    return false;
  }
  descriptor.reset(raw);
  UniqueHandle token;
  if (!owner || !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
  return TokenHasSid(token.get(), TokenUser, owner) || TokenHasSid(token.get(), TokenOwner, owner);
}

}  // namespace

bool IsHeldByAnother(const std::wstring& path) {
  const UniqueFileHandle probe(CreateFileW(path.c_str(), GENERIC_READ | DELETE, kShareAll, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
  const DWORD error = GetLastError();
  return !probe && (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION);
}

void WaitWhileHeld(const std::wstring& path, unsigned long long deadline) {
  while (IsHeldByAnother(path)) {
    if (GetTickCount64() >= deadline) {
      throw JobFailure{L"The file " + path + L" is kept open by another program; the job waited " +
                       std::to_wstring(kHeldFileWaitMs / 1000) + L" seconds for it."};
    }
    Sleep(kPollMs);
  }
}

std::optional<std::wstring> WhyNotAppendToFile(const std::wstring& path) {
  const UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ | READ_CONTROL, kShareAll,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return L"it cannot be read (error " + std::to_wstring(GetLastError()) + L")";
  ExistingFileFacts facts;
  char head[5];
  DWORD read = 0;
  if (ReadFile(file.get(), head, sizeof head, &read, nullptr)) facts.head.assign(head, read);
  wchar_t fileSystem[MAX_PATH + 1] = L"";
  if (GetVolumeInformationByHandleW(file.get(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                                    MAX_PATH + 1)) {
    facts.fileSystem = fileSystem;
  }
  facts.ownedByUser = OwnedByUser(file.get());
  return WhyNotAppendTo(facts);
}
