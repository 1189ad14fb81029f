#include "existing_output.h"

#include <windows.h>
#include <aclapi.h>

#include "append_rule.h"
#include "job_failure.h"
#include "unique_resource.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kPollMs = 50;

// The file's owner is the converter's own user (it runs as the printing user).
// Not the owner that its token gives new files: for an elevated administrator
// that is Administrators, whose files any administrator may have made.
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
  alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  return GetTokenInformation(token.get(), TokenUser, buffer, sizeof buffer, &size) &&
         EqualSid(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, owner);
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

ExistingToAppend OpenToAppend(const std::wstring& path) {
  ExistingToAppend existing;
  // Read sharing only: nobody changes or replaces the file while it is read.
  existing.file.reset(CreateFileW(path.c_str(), GENERIC_READ | READ_CONTROL, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
  if (!existing.file) {
    existing.whyNot = L"it cannot be read (error " + std::to_wstring(GetLastError()) + L")";
    return existing;
  }
  ExistingFileFacts facts;
  char head[5];
  DWORD read = 0;
  if (ReadFile(existing.file.get(), head, sizeof head, &read, nullptr))
    facts.head.assign(head, read);
  wchar_t fileSystem[MAX_PATH + 1] = L"";
  if (GetVolumeInformationByHandleW(existing.file.get(), nullptr, 0, nullptr, nullptr, nullptr,
                                    fileSystem, MAX_PATH + 1)) {
    facts.fileSystem = fileSystem;
  }
  facts.ownedByUser = OwnedByUser(existing.file.get());
  existing.whyNot = WhyNotAppendTo(facts);
  if (existing.whyNot) existing.file.reset();
  return existing;
}
