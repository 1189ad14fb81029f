#include "system_error.h"

void ThrowLastError() {
  const DWORD code = GetLastError();
  throw SystemError(code == ERROR_SUCCESS ? ERROR_GEN_FAILURE : code);
}
