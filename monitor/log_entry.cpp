#include "log_entry.h"

#include "log_rules.h"

std::wstring FormatLogEntry(const wchar_t* source, const wchar_t* message, const wchar_t* detail) {
  std::wstring entry;
  if (source) entry += L"[" + OneLineText(source) + L"] ";
  entry += OneLineText(message);
  if (detail) entry += L": " + OneLineText(detail);
  entry += L"\r\n";
  return entry;
}
