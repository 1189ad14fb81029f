#include "debug_log.h"

#include <cstdio>

#include "file_utilities.h"
#include "log_rules.h"
#include "monitor_texts.h"
#include "text_rules.h"
#include "user_environment.h"
#include "user_log_file.h"
#include "user_message.h"

BOOL DebugLog(const wchar_t* source, const wchar_t* message, const wchar_t* detail, bool truncate) {
  if (!message) return FALSE;
  const LogTarget target = CurrentLogTarget();
  if (target.path.empty()) return FALSE;
  if (WriteLogEntry(target, source, message, detail, truncate)) return TRUE;
  if (truncate) {
    const DWORD error = GetLastError();
    wchar_t text[2 * MAX_PATH + 200];
    swprintf(text, std::size(text),
             L"[DebugLog] Unable to open log file for writing.\n\nFilename: %ls\nError: %d",
             target.path.c_str(), static_cast<int>(error));
    ShowUserMessage(nullptr, text, monitor_texts::kCaption, MB_OK);
  }
  return FALSE;
}

LogTarget JobLogFile() {
  WorkAreaOfCall workArea;
  return JobLogFile(workArea);
}

LogTarget JobLogFile(WorkAreaOfCall& ownWorkArea) {
  const std::wstring sid = CallerSidText().value_or(L"");
  const std::wstring logFolder = LogFolderSetting();
  std::wstring workArea;
  if (logFolder.empty()) {
    workArea = ownWorkArea.Get().value_or(L"");
  } else if (const std::wstring folder = WithTrailingBackslash(logFolder);
             !CreateFolderTree(folder)) {
    ShowUserMessage(nullptr, folder, L"PDF Printer - Unable to create log file folder", MB_OK);
    return {};
  }
  return {UserLogPath(logFolder, workArea, monitor_texts::kLogFileStem, sid), sid};
}
