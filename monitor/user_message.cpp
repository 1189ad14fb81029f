#include "user_message.h"

#include <wtsapi32.h>

#include "log_file.h"
#include "monitor_texts.h"
#include "service_context.h"

void ShowUserMessage(HWND owner, const std::wstring& text, const std::wstring& caption,
                     UINT style) {
  if (UserMessagePath() == MessagePath::kMessageBox) {
    MessageBoxW(owner, text.c_str(), caption.c_str(), style);
    return;
  }
  DWORD response = 0;
  WTSSendMessageW(
      WTS_CURRENT_SERVER_HANDLE, PrintingUserSessionId(), const_cast<LPWSTR>(caption.c_str()),
      static_cast<DWORD>(caption.size() * sizeof(wchar_t)), const_cast<LPWSTR>(text.c_str()),
      static_cast<DWORD>(text.size() * sizeof(wchar_t)), style, 0, &response, FALSE);
  WriteLogEntry(CurrentLogTarget(), L"ShowUserMessage", caption.c_str(), text.c_str(), false);
}

void ShowMonitorMessage(const std::wstring& text) {
  ShowUserMessage(nullptr, text, monitor_texts::kCaption, MB_OK);
}

void ShowMonitorError(const std::wstring& text, DWORD errorCode) {
  ShowMonitorMessage(text);
  ShowMonitorMessage(std::to_wstring(errorCode));
}
