// Failures of Windows calls inside the settings component.
#pragma once

#include <windows.h>

#include <stdexcept>

// A failed Windows call and its error code.
class SystemError : public std::runtime_error {
 public:
  explicit SystemError(DWORD code) : std::runtime_error("system error"), code_(code) {}
  DWORD Code() const noexcept { return code_; }

 private:
  DWORD code_;
};

// Throws SystemError with GetLastError() (ERROR_GEN_FAILURE when that is 0).
[[noreturn]] void ThrowLastError();
