#include "log_file.h"

#include <share.h>

#include <cstdio>
#include <mutex>

#include "log_entry.h"
#include "text_rules.h"

namespace {

std::mutex& LogPathMutex() {
  static std::mutex mutex;
  return mutex;
}

std::wstring& LogPath() {
  static std::wstring path;
  return path;
}

}  // namespace

std::wstring LogFilePath() {
  std::lock_guard lock(LogPathMutex());
  return LogPath();
}

void SetLogFilePath(std::wstring path) {
  std::lock_guard lock(LogPathMutex());
  LogPath() = std::move(path);
}

bool WriteLogEntry(const std::wstring& path, const wchar_t* source, const wchar_t* message,
                   const wchar_t* detail, bool truncate) {
  if (!message) return false;
  const std::string bytes = NarrowForLog(FormatLogEntry(source, message, detail));
  FILE* file = _wfsopen(path.c_str(), truncate ? L"wt" : L"at", _SH_DENYNO);
  if (!file) return false;
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
  return true;
}
