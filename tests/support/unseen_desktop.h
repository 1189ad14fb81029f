// A place where nobody can see a window: a new window station (not the
// visible "WinSta0") with a desktop "Default". A program started there with
// STARTUPINFO.lpDesktop set to the returned name finds that nobody sees it.
#pragma once

#include <string>

// The desktop's name, "<station>\Default"; empty when it cannot be made.
std::wstring MakeUnseenDesktop(const std::wstring& station);
