#include "unattended_job.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "equals_no_case.h"
#include "trailing_backslash.h"

namespace {

constexpr unsigned long kWindowStationVisible = 0x0001;  // WSF_VISIBLE

}  // namespace

bool SomeoneCanSeeWindows(const DisplayFacts& facts) {
  if (!facts.sessionId || *facts.sessionId == 0) return false;
  if (!EqualsNoCase(facts.windowStation, L"WinSta0")) return false;
  if ((facts.windowStationFlags & kWindowStationVisible) == 0) return false;
  static constexpr std::array<std::wstring_view, 3> kSecureDesktops = {L"Winlogon", L"Screen-saver",
                                                                       L"Disconnect"};
  return !facts.desktop.empty() && std::none_of(kSecureDesktops.begin(), kSecureDesktops.end(),
                                                [&](std::wstring_view secure) {
                                                  return EqualsNoCase(facts.desktop, secure);
                                                });
}

std::optional<std::wstring> UnattendedOutputPath(const std::wstring& documentsFolder,
                                                 const TemplateValues& names,
                                                 const OutputFormat& format) {
  const std::optional<std::wstring> name = ExpandFileNameTemplate(L"<title>", names);
  if (!name) return std::nullopt;
  std::wstring path = StripTrailingBackslashes(documentsFolder) + L"\\" + kUnattendedSubfolder +
                      L"\\" + *name + std::wstring(format.extension);
  if (!IsUsableOutputPath(path)) return std::nullopt;
  return path;
}
