#include "log_file.h"

#include <windows.h>

#include "log_entry.h"
#include "log_rules.h"
#include "machine_settings.h"
#include "monitor_texts.h"
#include "text_rules.h"
#include "user_log_file.h"

namespace {

// The job log of the calling thread (a pointer: the scope owns the target).
thread_local const LogTarget* t_jobLog = nullptr;

}  // namespace

JobLogScope::JobLogScope(const LogTarget& target) : outer_(t_jobLog) { t_jobLog = &target; }

JobLogScope::~JobLogScope() { t_jobLog = outer_; }

std::wstring LogFolderSetting() {
  return ReadMachineSetting(machine_settings::kLogFolder).value_or(L"");
}

LogTarget CurrentLogTarget() {
  if (t_jobLog) return *t_jobLog;
  const std::wstring sid = CallerSidText().value_or(L"");
  return {UserLogPath(LogFolderSetting(), L"", monitor_texts::kLogFileStem, sid), sid};
}

bool WriteLogEntry(const LogTarget& target, const wchar_t* source, const wchar_t* message,
                   const wchar_t* detail, bool truncate) {
  if (!message) return false;
  if (target.path.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  return WriteUserLog(target.path, target.userSid,
                      NarrowForLog(FormatLogEntry(source, message, detail)), truncate);
}
