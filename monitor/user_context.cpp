#include "user_context.h"

#include <windows.h>
#include <objbase.h>
#include <userenv.h>

#include "environment_lookup.h"
#include "monitor_texts.h"
#include "printing_user_token.h"
#include "session_id.h"
#include "text_rules.h"
#include "unique_resource.h"
#include "user_message.h"

namespace {

constexpr DWORD kMaxSettingBytes = 8150;
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

std::optional<std::wstring> ReadSetting(const wchar_t* name) {
  UniqueRegKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, monitor_texts::kSettingsKey, 0, KEY_QUERY_VALUE,
                    key.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  wchar_t data[kMaxSettingBytes / sizeof(wchar_t)];
  DWORD size = sizeof(data);
  DWORD type = REG_NONE;
  const LONG status =
      RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<LPBYTE>(data), &size);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return TextFromData(data, size / sizeof(wchar_t));
}

std::optional<std::wstring> GetUserEnvironmentVariable(const wchar_t* name) {
  PrintingUserToken token;
  if (!token.Open(TOKEN_DUPLICATE, kEnvironmentTokenMessages)) return std::nullopt;
  UniqueHandle primary = token.DuplicatePrimary();
  if (!primary) {
    ShowMonitorMessage(L"[GetUserEnvironmentVariable] DuplicateTokenEx - error");
    return std::nullopt;
  }
  std::optional<std::wstring> result;
  void* block = nullptr;
  if (!CreateEnvironmentBlock(&block, primary.get(), FALSE)) {
    ShowMonitorMessage(L"[GetUserEnvironmentVariable] CreateEnvironmentBlock failed 2");
    block = nullptr;
  } else {
    result = FindEnvironmentValue(static_cast<const wchar_t*>(block), kMaxEnvironmentUnits, name);
    if (!DestroyEnvironmentBlock(block)) {
      ShowMonitorMessage(L"[GetUserEnvironmentVariable] Error calling DestroyEnvironmentBlock");
    }
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

std::optional<std::wstring> GetSpoolFileName(const std::wstring& sessionId) {
  std::optional<std::wstring> workArea = GetWorkArea();
  if (!workArea) return std::nullopt;
  return *workArea + sessionId + monitor_texts::kSpoolFileSuffix;
}

std::wstring NewSessionId() {
  GUID guid;
  if (FAILED(CoCreateGuid(&guid))) return L"x";
  return FormatSessionId(guid.Data1, guid.Data2, guid.Data3, guid.Data4);
}

bool CreateFolderTree(const std::wstring& path) {
  if (FileExists(path)) return true;
  std::wstring copy = path;
  if (!copy.empty() && copy.back() == L'\\') copy.pop_back();
  for (size_t pos = copy.find(L'\\'); pos != std::wstring::npos; pos = copy.find(L'\\', pos + 1)) {
    CreateDirectoryW(copy.substr(0, pos).c_str(), nullptr);
  }
  CreateDirectoryW(copy.c_str(), nullptr);
  return FileExists(copy);
}

bool FileExists(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  UniqueFindHandle search(FindFirstFileW(path.c_str(), &data));
  return static_cast<bool>(search);
}
