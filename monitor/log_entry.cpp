#include "log_entry.h"

namespace {

// Control characters (below U+0020, and U+007F) would break the entry's line.
void AppendOnOneLine(std::wstring& entry, const wchar_t* text) {
  for (; *text; ++text) entry += (*text < L' ' || *text == 0x7F) ? L'?' : *text;
}

}  // namespace

std::wstring FormatLogEntry(const wchar_t* source, const wchar_t* message, const wchar_t* detail) {
  std::wstring entry;
  if (source) {
    entry += L"[";
    AppendOnOneLine(entry, source);
    entry += L"] ";
  }
  AppendOnOneLine(entry, message);
  if (detail) {
    entry += L": ";
    AppendOnOneLine(entry, detail);
  }
  entry += L'\n';
  return entry;
}
