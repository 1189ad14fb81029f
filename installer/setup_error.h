// A failed setup step: what was being done and the system's error code.
#pragma once

#include <windows.h>

#include <string>

struct SetupError {
  std::wstring step;
  DWORD code;
};

// Throws SetupError for `step` with the calling thread's last error (never 0).
[[noreturn]] void ThrowLastError(const std::wstring& step);
[[noreturn]] void ThrowError(const std::wstring& step, DWORD code);
