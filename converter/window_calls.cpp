#include "window_calls.h"

#include "system_library.h"

namespace {

template <typename Function>
bool Load(Function& function, const char* name) {
  function = SystemExport<Function>(L"user32.dll", name);
  return function != nullptr;
}

}  // namespace

const WindowCalls* LoadWindowCalls() {
  static const WindowCalls* const kCalls = []() -> const WindowCalls* {
    static WindowCalls calls;
    const bool loaded =
        Load(calls.dialogBoxParam, "DialogBoxParamW") && Load(calls.endDialog, "EndDialog") &&
        Load(calls.getDlgItem, "GetDlgItem") && Load(calls.getWindow, "GetWindow") &&
        Load(calls.setWindowText, "SetWindowTextW") &&
        Load(calls.getWindowText, "GetWindowTextW") &&
        Load(calls.getWindowTextLength, "GetWindowTextLengthW") &&
        Load(calls.sendMessage, "SendMessageW") &&
        Load(calls.setForegroundWindow, "SetForegroundWindow") &&
        Load(calls.flashWindowEx, "FlashWindowEx") && Load(calls.getWindowRect, "GetWindowRect") &&
        Load(calls.mapWindowPoints, "MapWindowPoints") &&
        Load(calls.setWindowPos, "SetWindowPos") && Load(calls.showWindow, "ShowWindow") &&
        Load(calls.getParent, "GetParent");
    return loaded ? &calls : nullptr;
  }();
  return kCalls;
}
