#include "debug_log.h"

#include <cstdio>

#include "file_utilities.h"
#include "machine_settings.h"
#include "monitor_texts.h"
#include "text_rules.h"
#include "user_environment.h"
#include "user_message.h"

namespace {

// "LogFolder" (an empty value counts as absent), else the work area, else the
// process's temporary folder.
std::optional<std::wstring> LogFolder() {
  if (auto setting = ReadMachineSetting(machine_settings::kLogFolder);
      setting && !setting->empty()) {
    return setting;
  }
  if (auto workArea = GetWorkArea()) return workArea;
  return ProcessTempFolder();
}

}  // namespace

BOOL DebugLog(const wchar_t* source, const wchar_t* message, const wchar_t* detail, bool truncate) {
  if (!message) return FALSE;
  const std::wstring path = LogFilePath();
  if (WriteLogEntry(path, source, message, detail, truncate)) return TRUE;
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

BOOL SetLogFile() {
  const std::optional<std::wstring> folder = LogFolder();
  if (!folder) return FALSE;
  const std::wstring path = WithTrailingBackslash(*folder);
  if (!CreateFolderTree(path)) {
    ShowUserMessage(nullptr, path, L"PDF Printer - Unable to create log file folder", MB_OK);
    return FALSE;
  }
  SetLogFilePath(path + monitor_texts::kLogFileName);
  return TRUE;
}
