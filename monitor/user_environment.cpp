#include "user_environment.h"

#include <windows.h>

#include "environment_lookup.h"
#include "file_utilities.h"
#include "monitor_texts.h"
#include "printing_user_token.h"
#include "text_rules.h"
#include "user_message.h"

namespace {

constexpr size_t kMaxEnvironmentUnits = 40000;

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

}  // namespace

std::optional<std::wstring> GetUserEnvironmentVariable(const wchar_t* name) {
  PrintingUserToken token;
  if (!token.Open(TOKEN_DUPLICATE, kEnvironmentTokenMessages)) return std::nullopt;
  const UniqueHandle primary = token.DuplicatePrimary();
  if (!primary) {
    ShowMonitorMessage(L"[GetUserEnvironmentVariable] DuplicateTokenEx - error");
    return std::nullopt;
  }
  UniqueEnvironmentBlock block = CreateUserEnvironment(primary.get());
  if (!block) {
    ShowMonitorMessage(L"[GetUserEnvironmentVariable] CreateEnvironmentBlock failed 2");
    return std::nullopt;
  }
  std::optional<std::wstring> result =
      FindEnvironmentValue(static_cast<const wchar_t*>(block.get()), kMaxEnvironmentUnits, name);
  if (!DestroyUserEnvironment(block)) {
    ShowMonitorMessage(L"[GetUserEnvironmentVariable] Error calling DestroyEnvironmentBlock");
  }
  return result;
}

std::optional<std::wstring> GetWorkArea() {
  std::optional<std::wstring> folder = NonEmpty(GetUserEnvironmentVariable(L"TEMP"));
  if (!folder) folder = NonEmpty(GetUserEnvironmentVariable(L"TMP"));
  if (!folder) folder = ProcessTempFolder();
  if (!folder) {
    MessageBoxW(GetForegroundWindow(), L"Unable to get default work area.", monitor_texts::kCaption,
                MB_OK | MB_ICONERROR);
    return std::nullopt;
  }
  std::wstring workArea = WithTrailingBackslash(std::move(*folder)) + monitor_texts::kWorkAreaTail;
  if (!CreateFolderTree(workArea)) {
    MessageBoxW(nullptr, workArea.c_str(), L"PDF Printer - Unable to create working area", MB_OK);
    return std::nullopt;
  }
  return workArea;
}

std::optional<std::wstring> ProcessTempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH, buffer);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  return std::wstring(buffer, length);
}
