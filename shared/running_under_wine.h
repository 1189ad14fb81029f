// Whether the program runs under Wine: Wine's ntdll exports wine_get_version.
#pragma once

#include <windows.h>

inline bool RunningUnderWine() noexcept {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
