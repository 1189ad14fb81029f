// "port.log" itself: which file an entry goes to, and the writing of one entry.
// It shows nothing to the user, so that the user messages can write to it too.
//
// A job's entries go to that job's log, set on the thread for the duration of
// each of the job's spooler entries (JobLogScope). Everything logged outside a
// job (port administration, the port table) goes to the calling user's own
// file in "LogFolder", and nowhere when "LogFolder" is unset: never into a
// user's work area, which that user controls.
#pragma once

#include <string>

// A log file and the user it belongs to, whose SID names the file in a shared
// log folder and gives its rights (shared/log_rules.h). An empty path drops
// every entry.
struct LogTarget {
  std::wstring path;
  std::wstring userSid;
};

// Makes `target` the log of the calling thread while it lives.
class JobLogScope {
 public:
  explicit JobLogScope(const LogTarget& target);
  explicit JobLogScope(LogTarget&&) = delete;  // the target must outlive the scope
  ~JobLogScope();
  JobLogScope(const JobLogScope&) = delete;
  JobLogScope& operator=(const JobLogScope&) = delete;

 private:
  const LogTarget* outer_;
};

// The log of an entry written now on this thread: the job's, inside a job;
// otherwise the caller's file in "LogFolder" (empty path when it is unset).
LogTarget CurrentLogTarget();

// "LogFolder" (an empty value counts as absent), or empty.
std::wstring LogFolderSetting();

// Appends "[source] message: detail" and a line end to the target's file
// (source and detail may be null); with `truncate` the file is emptied first.
// False for a null message or an empty path (nothing written) and when the
// file cannot be opened (see WriteUserLog), the last-error code then saying why.
bool WriteLogEntry(const LogTarget& target, const wchar_t* source, const wchar_t* message,
                   const wchar_t* detail, bool truncate);
