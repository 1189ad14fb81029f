#include "converter_log.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "log_rules.h"
#include "user_log_file.h"

ConverterLog::ConverterLog(const std::wstring& logFolder, const std::wstring& workArea)
    : userSid_(CallerSidText().value_or(L"")),
      path_(UserLogPath(logFolder, workArea, L"gui", userSid_)) {}

void ConverterLog::Write(const std::wstring& topic, const std::wstring& text) noexcept {
  try {
    if (path_.empty()) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay,
             now.wHour, now.wMinute, now.wSecond);
    const std::wstring line = stamp + OneLineText(topic + L": " + text) + L"\r\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(), size,
                        nullptr, nullptr);
    WriteUserLog(path_, userSid_, bytes, false);
  } catch (...) {
  }
}
