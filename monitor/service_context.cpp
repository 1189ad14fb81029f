#include "service_context.h"

#include <vector>

#include "unique_resource.h"

namespace {

// The thread's token, or the process's when the thread impersonates nobody.
UniqueHandle CallerToken(bool* impersonating) {
  UniqueHandle token;
  *impersonating = OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.put()) ||
                   GetLastError() != ERROR_NO_TOKEN;
  if (!token) OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put());
  return token;
}

bool IsServiceAccountToken(HANDLE token) {
  alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  if (!GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size)) return false;
  const PSID sid = reinterpret_cast<const TOKEN_USER*>(buffer)->User.Sid;
  return IsValidSid(sid) &&
         IsServiceAccountSid(static_cast<const unsigned char*>(sid), GetLengthSid(sid));
}

// True when the token's groups hold SERVICE (S-1-5-6), as those of every
// process that the service controller starts do.
bool HasServiceGroup(HANDLE token) {
  alignas(SID) BYTE service[SECURITY_MAX_SID_SIZE];
  DWORD serviceSize = sizeof(service);
  if (!CreateWellKnownSid(WinServiceSid, nullptr, service, &serviceSize)) return true;
  DWORD size = 0;
  GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (size == 0 || !GetTokenInformation(token, TokenGroups, buffer.data(), size, &size)) {
    return true;
  }
  const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
  for (DWORD i = 0; i < groups->GroupCount; ++i) {
    if (EqualSid(groups->Groups[i].Sid, service)) return true;
  }
  return false;
}

bool IsServiceProcess() {
  UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return true;
  return IsServiceAccountToken(token.get()) || HasServiceGroup(token.get());
}

DWORD ProcessSessionId() {
  DWORD sessionId = 0;
  if (!ProcessIdToSessionId(GetCurrentProcessId(), &sessionId)) return 0;
  return sessionId;
}

DWORD WindowStationFlags() {
  USEROBJECTFLAGS flags{};
  DWORD needed = 0;
  const HWINSTA station = GetProcessWindowStation();
  if (!station || !GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof(flags), &needed)) {
    return 0;
  }
  return flags.dwFlags;
}

}  // namespace

bool RunsAsServiceAccountWithoutUser() {
  bool impersonating = false;
  const UniqueHandle token = CallerToken(&impersonating);
  return !impersonating && token && IsServiceAccountToken(token.get());
}

MessagePath UserMessagePath() {
  return ChooseMessagePath(ProcessSessionId(), IsServiceProcess(), WindowStationFlags());
}

DWORD PrintingUserSessionId() {
  bool impersonating = false;
  const UniqueHandle token = CallerToken(&impersonating);
  DWORD sessionId = 0;
  DWORD size = 0;
  if (token) GetTokenInformation(token.get(), TokenSessionId, &sessionId, sizeof(sessionId), &size);
  return sessionId;
}
