// The converter's log "gui.log", kept next to the monitor's "port.log".
#pragma once

#include <string>

class ConverterLog {
 public:
  // In `logFolder` when set, else in `workArea`.
  ConverterLog(const std::wstring& logFolder, const std::wstring& workArea);
  // Appends one line: time, topic and text (UTF-8).
  void Write(const std::wstring& topic, const std::wstring& text) noexcept;

 private:
  std::wstring path_;
};
