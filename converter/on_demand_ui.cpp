#include "on_demand_ui.h"

#include <objbase.h>

#include "system_library.h"
#include "unattended_job.h"

namespace {

using GetObjectInformation = decltype(&GetUserObjectInformationW);

// The name of a window station or desktop; empty when it cannot be read.
std::wstring ObjectName(GetObjectInformation getInformation, HANDLE object) {
  wchar_t name[256] = L"";
  DWORD needed = 0;
  if (!object || !getInformation(object, UOI_NAME, name, sizeof(name) - sizeof(wchar_t), &needed))
    return {};
  return name;
}

DisplayFacts ReadDisplayFacts() {
  DisplayFacts facts;
  DWORD sessionId = 0;
  if (ProcessIdToSessionId(GetCurrentProcessId(), &sessionId)) facts.sessionId = sessionId;
  const auto getStation =
      SystemExport<decltype(&GetProcessWindowStation)>(L"user32.dll", "GetProcessWindowStation");
  const auto getInformation =
      SystemExport<GetObjectInformation>(L"user32.dll", "GetUserObjectInformationW");
  const auto getDesktop =
      SystemExport<decltype(&GetThreadDesktop)>(L"user32.dll", "GetThreadDesktop");
  if (!getStation || !getInformation || !getDesktop) return facts;
  const HWINSTA station = getStation();
  facts.windowStation = ObjectName(getInformation, station);
  USEROBJECTFLAGS flags{};
  DWORD needed = 0;
  if (station && getInformation(station, UOI_FLAGS, &flags, sizeof flags, &needed))
    facts.windowStationFlags = flags.dwFlags;
  facts.desktop = ObjectName(getInformation, getDesktop(GetCurrentThreadId()));
  return facts;
}

}  // namespace

bool UserCanSeeWindows() {
  static const bool canSee = SomeoneCanSeeWindows(ReadDisplayFacts());
  return canSee;
}

void ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT style) {
  if (!UserCanSeeWindows()) return;
  if (const auto messageBox = SystemExport<decltype(&MessageBoxW)>(L"user32.dll", "MessageBoxW"))
    messageBox(nullptr, text.c_str(), caption.c_str(), style);
}

ShellApartment::ShellApartment() {
  if (const auto enter = SystemExport<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx")) {
    entered_ = SUCCEEDED(enter(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
}

ShellApartment::~ShellApartment() {
  if (!entered_) return;
  if (const auto leave = SystemExport<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize"))
    leave();
}
