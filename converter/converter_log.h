// The converter's log "gui.log", kept like the monitor's "port.log": beside the
// spool file in the printing user's work area, or, with "LogFolder" set, as
// the user's own "gui-<SID>.log" there, which no other user can read
// (shared/log_rules.h, shared/user_log_file.h).
#pragma once

#include <string>

class ConverterLog {
 public:
  // In `logFolder` when set, else in `workArea`; nowhere when neither is set.
  ConverterLog(const std::wstring& logFolder, const std::wstring& workArea);
  // Appends one line: time, topic and text (UTF-8), control characters as "?".
  void Write(const std::wstring& topic, const std::wstring& text) noexcept;

 private:
  std::wstring userSid_;
  std::wstring path_;
};
