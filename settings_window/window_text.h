// The text of a window or control.
#pragma once

#include <windows.h>

#include <string>

std::wstring WindowText(HWND window);
