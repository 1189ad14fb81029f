#include "log_entry.h"

std::wstring FormatLogEntry(const wchar_t* source, const wchar_t* message, const wchar_t* detail) {
  std::wstring entry;
  if (source) entry.append(L"[").append(source).append(L"] ");
  entry += message;
  if (detail) entry.append(L": ").append(detail);
  entry += L'\n';
  return entry;
}
