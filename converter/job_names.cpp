#include "job_names.h"

#include <windows.h>

#include <cwchar>

std::wstring UserName() {
  wchar_t name[257];
  DWORD size = 257;
  return GetUserNameW(name, &size) ? std::wstring(name) : std::wstring();
}

TemplateValues JobNamesNow(const std::wstring& documentName, const std::wstring& printerName,
                           const std::wstring& sessionId) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t date[16];
  wchar_t time[16];
  swprintf(date, 16, L"%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
  swprintf(time, 16, L"%02u%02u%02u", now.wHour, now.wMinute, now.wSecond);
  return {documentName, printerName, UserName(), date, time, sessionId};
}
