// A failed setup step: what was being done and the system's error code.
#pragma once

#include <windows.h>

#include <string>

struct SetupError {
  std::wstring step;
  DWORD code;
};

// A setup step that refuses to go on: why, and what to do (the whole message),
// with the system error code that says it briefly.
struct SetupRefusal {
  std::wstring message;
  DWORD code;
};

// ERROR_REPARSE_POINT_ENCOUNTERED, which mingw-w64's headers lack: the code of
// a refused junction or link.
constexpr DWORD kErrorReparsePointEncountered = 4395;

// Throws SetupError for `step` with the calling thread's last error (never 0).
[[noreturn]] void ThrowLastError(const std::wstring& step);
[[noreturn]] void ThrowError(const std::wstring& step, DWORD code);
