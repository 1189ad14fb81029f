#include "user_environment.h"

#include <windows.h>
#include <userenv.h>

#include "environment_lookup.h"
#include "file_utilities.h"
#include "monitor_texts.h"
#include "printing_user_token.h"
#include "text_rules.h"
#include "user_message.h"

namespace {

constexpr size_t kMaxEnvironmentUnits = 40000;
constexpr wchar_t kProfileTempFolder[] = L"AppData\\Local\\Temp";

constexpr TokenFailureMessages kEnvironmentTokenMessages = {
    L"[GetUserEnvironmentVariable] ImpersonateSelf - error",
    L"[GetUserEnvironmentVariable] OpenThreadToken2 - error",
    L"[GetUserEnvironmentVariable] OpenThreadToken - error",
    true,
};

std::optional<std::wstring> NonEmpty(std::optional<std::wstring> value) {
  if (value && value->empty()) return std::nullopt;
  return value;
}

// Runs `use` with a primary token of the printing user; the failures of the
// token chain are shown with the messages of GetUserEnvironmentVariable.
template <typename Use>
std::optional<std::wstring> WithPrintingUserToken(Use use) {
  PrintingUserToken token;
  if (!token.Open(TOKEN_DUPLICATE, kEnvironmentTokenMessages)) return std::nullopt;
  const UniqueHandle primary = token.DuplicatePrimary();
  if (!primary) {
    ShowMonitorMessage(L"[GetUserEnvironmentVariable] DuplicateTokenEx - error");
    return std::nullopt;
  }
  return use(primary.get());
}

// The first of the variables that the user's environment block holds with a
// value that is not empty.
std::optional<std::wstring> FirstVariable(HANDLE primaryToken,
                                          std::initializer_list<const wchar_t*> names) {
  UniqueEnvironmentBlock block = CreateUserEnvironment(primaryToken);
  if (!block) {
    ShowMonitorMessage(L"[GetUserEnvironmentVariable] CreateEnvironmentBlock failed 2");
    return std::nullopt;
  }
  std::optional<std::wstring> result;
  for (const wchar_t* name : names) {
    result = NonEmpty(
        FindEnvironmentValue(static_cast<const wchar_t*>(block.get()), kMaxEnvironmentUnits, name));
    if (result) break;
  }
  if (!DestroyUserEnvironment(block)) {
    ShowMonitorMessage(L"[GetUserEnvironmentVariable] Error calling DestroyEnvironmentBlock");
  }
  return result;
}

// "AppData\Local\Temp" in the user's profile folder; nothing without a profile.
std::optional<std::wstring> ProfileTempFolder(HANDLE primaryToken) {
  wchar_t profile[MAX_PATH];
  DWORD size = MAX_PATH;
  if (!GetUserProfileDirectoryW(primaryToken, profile, &size) || profile[0] == L'\0') {
    return std::nullopt;
  }
  return WithTrailingBackslash(profile) + kProfileTempFolder;
}

// TEMP, else TMP, else the temporary folder in the user's profile: never the
// spooler's own, which all users share.
std::optional<std::wstring> UserTempFolder() {
  return WithPrintingUserToken([](HANDLE primary) {
    std::optional<std::wstring> folder = FirstVariable(primary, {L"TEMP", L"TMP"});
    return folder ? folder : ProfileTempFolder(primary);
  });
}

}  // namespace

std::optional<std::wstring> GetUserEnvironmentVariable(const wchar_t* name) {
  return WithPrintingUserToken([name](HANDLE primary) { return FirstVariable(primary, {name}); });
}

std::optional<std::wstring> GetWorkArea() {
  std::optional<std::wstring> folder = UserTempFolder();
  if (!folder) {
    ShowUserMessage(GetForegroundWindow(), L"Unable to get default work area.",
                    monitor_texts::kCaption, MB_OK | MB_ICONERROR);
    return std::nullopt;
  }
  std::wstring workArea = WithTrailingBackslash(std::move(*folder)) + monitor_texts::kWorkAreaTail;
  if (!CreateFolderTree(workArea)) {
    ShowUserMessage(nullptr, workArea, L"PDF Printer - Unable to create working area", MB_OK);
    return std::nullopt;
  }
  return workArea;
}

std::optional<std::wstring> WorkAreaOfCall::Get() {
  if (!found_) found_ = GetWorkArea();
  return found_;
}
