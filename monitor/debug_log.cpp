#include "debug_log.h"

#include <share.h>

#include <cstdio>
#include <mutex>

#include "file_utilities.h"
#include "log_entry.h"
#include "machine_settings.h"
#include "monitor_texts.h"
#include "text_rules.h"
#include "user_environment.h"
#include "user_message.h"

namespace {

std::mutex& LogPathMutex() {
  static std::mutex mutex;
  return mutex;
}

std::wstring& LogPath() {
  static std::wstring path;
  return path;
}

void SetLogPath(std::wstring path) {
  std::lock_guard lock(LogPathMutex());
  LogPath() = std::move(path);
}

// "LogFolder" (an empty value counts as absent), else the work area, else the
// process's temporary folder.
std::optional<std::wstring> LogFolder() {
  if (auto setting = ReadSetting(monitor_texts::kLogFolderSetting); setting && !setting->empty()) {
    return setting;
  }
  if (auto workArea = GetWorkArea()) return workArea;
  return ProcessTempFolder();
}

}  // namespace

std::wstring LogFilePath() {
  std::lock_guard lock(LogPathMutex());
  return LogPath();
}

BOOL DebugLog(const wchar_t* source, const wchar_t* message, const wchar_t* detail, bool truncate) {
  if (!message) return FALSE;
  const std::string bytes = NarrowForLog(FormatLogEntry(source, message, detail));
  const std::wstring path = LogFilePath();
  FILE* file = _wfsopen(path.c_str(), truncate ? L"wt" : L"at", _SH_DENYNO);
  if (!file) {
    if (truncate) {
      const DWORD error = GetLastError();
      wchar_t text[2 * MAX_PATH + 200];
      swprintf(text, std::size(text),
               L"[DebugLog] Unable to open log file for writing.\n\nFilename: %ls\nError: %d",
               path.c_str(), static_cast<int>(error));
      ShowUserMessage(nullptr, text, monitor_texts::kCaption, MB_OK);
    }
    return FALSE;
  }
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
  return TRUE;
}

BOOL SetLogFile() {
  const std::optional<std::wstring> folder = LogFolder();
  if (!folder) return FALSE;
  const std::wstring path = WithTrailingBackslash(*folder);
  if (!CreateFolderTree(path)) {
    ShowUserMessage(nullptr, path, L"PDF Printer - Unable to create log file folder", MB_OK);
    return FALSE;
  }
  SetLogPath(path + monitor_texts::kLogFileName);
  return TRUE;
}

BOOL IsDebug() {
  const std::optional<std::wstring> folder = ReadSetting(monitor_texts::kAppFolderSetting);
  if (!folder) {
    DebugLog(L"IsDebug", L"Unable to read AppFolder setting from the registry", nullptr);
    return FALSE;
  }
  return FileExists(WithTrailingBackslash(*folder) + monitor_texts::kDebugMarker);
}
