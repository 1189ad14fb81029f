// System DLLs loaded at run time from the system folder only, never from the
// program's own folder, and their exports. Used where a program must not
// import a DLL statically: one that runs as administrator from a folder users
// might write to, or one that calls a large DLL only on a rare path (each
// imported DLL lengthens every start of the program).
#pragma once

#include <windows.h>

// The library from the system folder, kept loaded until the process ends; null
// with the loader's last error when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name) noexcept;

// The export `name` of the system library `library`, or null with the last
// error set (ERROR_MOD_NOT_FOUND when the library itself is missing).
template <typename Function>
Function SystemExport(const wchar_t* library, const char* name) noexcept {
  const HMODULE module = LoadSystemLibrary(library);
  if (!module) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
