#include "system_message.h"

#include <cstdio>

#include "unique_resource.h"

std::wstring SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  UniqueLocalMemory owner(buffer);
  std::wstring text(buffer ? buffer : L"", length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) {
    wchar_t fallback[32];
    std::swprintf(fallback, 32, L"Unknown error 0x%08X", static_cast<unsigned>(code));
    text = fallback;
  }
  return text;
}

std::wstring AutomationErrorText(std::int32_t number) {
  switch (number) {
    case 5:
      return L"Invalid procedure call or argument";
    case 7:
      return L"Out of memory";
    case 52:
      return L"Bad file name or number";
    case 61:
      return L"Disk full";
    case 70:
      return L"Permission denied";
    case 71:
      return L"Disk not ready";
    case 75:
      return L"Path/File access error";
    case 76:
      return L"Path not found";
    case 430:
      return L"Class does not support Automation or does not support expected interface";
    default:
      return {};
  }
}
