#include "user_messages.h"

#include <windows.h>

#include <string>

#include "message_texts.h"
#include "program_identity.h"

void ShowUsage() {
  const std::wstring productName = GetProductName();
  MessageBoxW(nullptr, UsageText(productName).c_str(), productName.c_str(),
              MB_OK | MB_ICONINFORMATION);
}

void ShowError(std::int32_t number, std::wstring_view description) noexcept {
  try {
    const std::wstring productName = GetProductName();
    MessageBoxW(nullptr, ErrorReportText(number, description).c_str(), productName.c_str(),
                MB_OK | MB_ICONERROR);
  } catch (...) {
    // Out of memory while building the report: a fixed text still gets through.
    MessageBoxW(nullptr, L"Out of memory", nullptr, MB_OK | MB_ICONERROR);
  }
}
