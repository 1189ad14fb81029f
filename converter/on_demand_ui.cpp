#include "on_demand_ui.h"

#include <objbase.h>

#include "system_library.h"

void ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT style) {
  if (const auto messageBox = SystemExport<decltype(&MessageBoxW)>(L"user32.dll", "MessageBoxW"))
    messageBox(nullptr, text.c_str(), caption.c_str(), style);
}

ShellApartment::ShellApartment() {
  if (const auto enter = SystemExport<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx")) {
    entered_ = SUCCEEDED(enter(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
}

ShellApartment::~ShellApartment() {
  if (!entered_) return;
  if (const auto leave = SystemExport<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize"))
    leave();
}
