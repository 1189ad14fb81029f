// The user32 functions of the converter's windows, loaded from the system
// folder on first use: gui.exe imports no user-interface library (see
// on_demand_ui.h), and most jobs show no window.
#pragma once

#include <windows.h>

struct WindowCalls {
  decltype(&DialogBoxParamW) dialogBoxParam;
  decltype(&EndDialog) endDialog;
  decltype(&GetDlgItem) getDlgItem;
  decltype(&GetWindow) getWindow;
  decltype(&SetWindowTextW) setWindowText;
  decltype(&GetWindowTextW) getWindowText;
  decltype(&GetWindowTextLengthW) getWindowTextLength;
  decltype(&SendMessageW) sendMessage;
  decltype(&SetForegroundWindow) setForegroundWindow;
  decltype(&FlashWindowEx) flashWindowEx;
  decltype(&GetWindowRect) getWindowRect;
  decltype(&MapWindowPoints) mapWindowPoints;
  decltype(&SetWindowPos) setWindowPos;
  decltype(&ShowWindow) showWindow;
  decltype(&GetParent) getParent;
};

// Every call, or null when user32 or one of them cannot be loaded.
const WindowCalls* LoadWindowCalls();
