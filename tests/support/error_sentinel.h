// The value a test sets as the last error before a call, to see whether the
// call set one of its own or left it alone.
#pragma once

#include <windows.h>

inline constexpr DWORD kErrorSentinel = 0xDEADBEEF;
