// The test user's own log in a log folder that every user shares:
// "<stem>-<SID>.log", the SID read here from the process's token.
#pragma once

#include <windows.h>
#include <sddl.h>

#include <string>

inline std::wstring OwnLogName(const std::wstring& stem) {
  HANDLE token = nullptr;
  alignas(TOKEN_USER) BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  wchar_t* sid = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
  GetTokenInformation(token, TokenUser, user, sizeof(user), &size);
  CloseHandle(token);
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid)) return L"";
  const std::wstring name = stem + L"-" + sid + L".log";
  LocalFree(sid);
  return name;
}
