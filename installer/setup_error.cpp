#include "setup_error.h"

void ThrowLastError(const std::wstring& step) { ThrowError(step, GetLastError()); }

void ThrowError(const std::wstring& step, DWORD code) {
  throw SetupError{step, code != ERROR_SUCCESS ? code : static_cast<DWORD>(ERROR_GEN_FAILURE)};
}
