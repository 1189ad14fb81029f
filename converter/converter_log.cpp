#include "converter_log.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "path_names.h"
#include "unique_resource.h"

ConverterLog::ConverterLog(const std::wstring& logFolder, const std::wstring& workArea) {
  const std::wstring folder = StripTrailingBackslashes(logFolder.empty() ? workArea : logFolder);
  if (!folder.empty()) path_ = folder + L"\\gui.log";
}

void ConverterLog::Write(const std::wstring& topic, const std::wstring& text) noexcept {
  try {
    if (path_.empty()) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay,
             now.wHour, now.wMinute, now.wSecond);
    const std::wstring line = stamp + topic + L": " + text + L"\r\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), bytes.data(), size,
                        nullptr, nullptr);
    UniqueFileHandle file(CreateFileW(path_.c_str(), FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD written = 0;
    WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  } catch (...) {
  }
}
