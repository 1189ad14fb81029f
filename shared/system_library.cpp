#include "system_library.h"

#include <string>

HMODULE LoadSystemLibrary(const wchar_t* name) noexcept {
  // Never freed: a repeated load only finds the library again.
  HMODULE library = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library || GetLastError() != ERROR_INVALID_PARAMETER) return library;
  // Windows 7 without the update that brought the flag: the full path instead.
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  try {
    return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}
