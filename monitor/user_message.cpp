#include "user_message.h"

#include "monitor_texts.h"

void ShowMonitorMessage(const std::wstring& text) {
  MessageBoxW(nullptr, text.c_str(), monitor_texts::kCaption, MB_OK);
}

void ShowMonitorError(const std::wstring& text, DWORD errorCode) {
  ShowMonitorMessage(text);
  ShowMonitorMessage(std::to_wstring(errorCode));
}
