#include "service_context.h"

#include "service_rules.h"
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

}  // namespace

bool RunsAsServiceAccountWithoutUser() {
  bool impersonating = false;
  const UniqueHandle token = CallerToken(&impersonating);
  return !impersonating && token && IsServiceAccountToken(token.get());
}

bool HasInteractiveWindowStation() {
  USEROBJECTFLAGS flags{};
  DWORD needed = 0;
  const HWINSTA station = GetProcessWindowStation();
  if (!station || !GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof(flags), &needed)) {
    return false;  // unknown: a box nobody can answer would hang the spooler
  }
  return CanShowMessageBoxes(flags.dwFlags);
}

DWORD PrintingUserSessionId() {
  bool impersonating = false;
  const UniqueHandle token = CallerToken(&impersonating);
  DWORD sessionId = 0;
  DWORD size = 0;
  if (token) GetTokenInformation(token.get(), TokenSessionId, &sessionId, sizeof(sessionId), &size);
  return sessionId;
}
