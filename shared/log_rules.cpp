#include "log_rules.h"

#include <algorithm>

#include "character_rules.h"
#include "trailing_backslash.h"

namespace {

constexpr std::wstring_view kLocalSystem = L"S-1-5-18";
constexpr std::wstring_view kAdministrators = L"S-1-5-32-544";

bool IsSidText(std::wstring_view text) {
  return text.size() > 2 && text.starts_with(L"S-") &&
         std::all_of(text.begin() + 2, text.end(),
                     [](wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'-'; });
}

std::wstring FolderWithBackslash(std::wstring_view folder) {
  return WithTrailingBackslash(StripTrailingBackslashes(std::wstring(folder)));
}

}  // namespace

std::wstring OneLineText(std::wstring_view text) {
  std::wstring line(text);
  std::replace_if(line.begin(), line.end(), IsControlCharacter, L'?');
  return line;
}

std::wstring PerUserLogFileName(std::wstring_view stem, std::wstring_view sidText) {
  return std::wstring(stem) + L"-" + std::wstring(sidText) + L".log";
}

std::wstring UserLogFileSddl(std::wstring_view sidText) {
  if (!IsSidText(sidText)) return {};
  return L"D:P(A;;FA;;;" + std::wstring(sidText) + L")(A;;FA;;;SY)(A;;FA;;;BA)";
}

bool IsTrustedLogOwner(std::wstring_view ownerSidText, std::wstring_view userSidText) {
  return (!ownerSidText.empty() && ownerSidText == userSidText) || ownerSidText == kLocalSystem ||
         ownerSidText == kAdministrators;
}

std::wstring UserLogPath(std::wstring_view logFolder, std::wstring_view ownFolder,
                         std::wstring_view stem, std::wstring_view sidText) {
  if (!IsSidText(sidText)) return {};
  if (!logFolder.empty()) {
    return FolderWithBackslash(logFolder) + PerUserLogFileName(stem, sidText);
  }
  if (ownFolder.empty()) return {};
  return FolderWithBackslash(ownFolder) + std::wstring(stem) + L".log";
}
