// The calls of the platform stand-in: a per-thread last error, and a registry
// and handle table that hold nothing.
#include <windows.h>

namespace {
thread_local DWORD lastError = 0;
}

DWORD GetLastError() { return lastError; }
void SetLastError(DWORD code) { lastError = code; }
BOOL CloseHandle(HANDLE) { return TRUE; }
BOOL FindClose(HANDLE) { return TRUE; }
HLOCAL LocalFree(HLOCAL) { return nullptr; }

LONG RegOpenKeyExW(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY result) {
  if (result) *result = nullptr;
  return ERROR_FILE_NOT_FOUND;
}
LONG RegCloseKey(HKEY) { return ERROR_SUCCESS; }
LONG RegQueryValueExW(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD) {
  return ERROR_FILE_NOT_FOUND;
}
LONG RegSetValueExW(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) {
  return ERROR_FILE_NOT_FOUND;
}
LONG RegDeleteValueW(HKEY, LPCWSTR) { return ERROR_FILE_NOT_FOUND; }
