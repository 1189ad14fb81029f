#include "unseen_desktop.h"

#include <windows.h>

std::wstring MakeUnseenDesktop(const std::wstring& station) {
  const HWINSTA own = GetProcessWindowStation();
  const HWINSTA unseen = CreateWindowStationW(station.c_str(), 0, WINSTA_ALL_ACCESS, nullptr);
  // Both stay open for the rest of the test program: closed, they would go.
  // The desktop is made on the process's window station: the new one, for a moment.
  if (!unseen || !SetProcessWindowStation(unseen)) return {};
  const bool made =
      CreateDesktopW(L"Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr) != nullptr;
  SetProcessWindowStation(own);
  return made ? station + L"\\Default" : std::wstring();
}
