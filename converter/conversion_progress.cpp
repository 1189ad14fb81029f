#include "conversion_progress.h"

#include <windows.h>

#include "on_demand_ui.h"
#include "progress_window_ids.h"
#include "system_library.h"

namespace {

constexpr DWORD kRefreshMs = 250;

// The user32 calls of the window, loaded when it is shown.
struct WindowCalls {
  decltype(&CreateDialogParamW) createDialog = nullptr;
  decltype(&DestroyWindow) destroyWindow = nullptr;
  decltype(&SetDlgItemTextW) setItemText = nullptr;
  decltype(&ShowWindow) showWindow = nullptr;
  decltype(&MsgWaitForMultipleObjects) waitForMessages = nullptr;
  decltype(&PeekMessageW) peekMessage = nullptr;
  decltype(&IsDialogMessageW) isDialogMessage = nullptr;
  decltype(&TranslateMessage) translateMessage = nullptr;
  decltype(&DispatchMessageW) dispatchMessage = nullptr;

  bool Load() {
    createDialog = Export<decltype(createDialog)>("CreateDialogParamW");
    destroyWindow = Export<decltype(destroyWindow)>("DestroyWindow");
    setItemText = Export<decltype(setItemText)>("SetDlgItemTextW");
    showWindow = Export<decltype(showWindow)>("ShowWindow");
    waitForMessages = Export<decltype(waitForMessages)>("MsgWaitForMultipleObjects");
    peekMessage = Export<decltype(peekMessage)>("PeekMessageW");
    isDialogMessage = Export<decltype(isDialogMessage)>("IsDialogMessageW");
    translateMessage = Export<decltype(translateMessage)>("TranslateMessage");
    dispatchMessage = Export<decltype(dispatchMessage)>("DispatchMessageW");
    return createDialog && destroyWindow && setItemText && showWindow && waitForMessages &&
           peekMessage && isDialogMessage && translateMessage && dispatchMessage;
  }

  template <typename Function>
  static Function Export(const char* name) {
    return SystemExport<Function>(L"user32.dll", name);
  }
};

// The window's thread scales its windows for the monitor they are on.
void BecomePerMonitorDpiAware() {
  using SetContext = void*(WINAPI*)(void*);
  const auto setContext = SystemExport<SetContext>(L"user32.dll", "SetThreadDpiAwarenessContext");
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  if (setContext) setContext(reinterpret_cast<void*>(static_cast<INT_PTR>(-4)));
}

// The cancel event of the window on this thread: "Cancel", Esc and closing the window set it.
thread_local HANDLE t_cancel = nullptr;

INT_PTR CALLBACK ProgressProcedure(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    if (t_cancel) SetEvent(t_cancel);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

ConversionProgress::ConversionProgress(std::wstring documentName)
    : documentName_(std::move(documentName)),
      ended_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      cancel_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  watch_.cancel = cancel_.get();
  watch_.onOutput = [this](std::string_view output) {
    report_.Feed(output);
    pagesDone_ = report_.PagesDone();
  };
  if (ended_) window_ = std::thread([this] { ShowWhenLong(); });
}

ConversionProgress::~ConversionProgress() {
  if (ended_) SetEvent(ended_.get());
  if (window_.joinable()) window_.join();
}

void ConversionProgress::ShowWhenLong() {
  if (WaitForSingleObject(ended_.get(), kProgressDelayMs) != WAIT_TIMEOUT) return;
  WindowCalls calls;
  if (!UserCanSeeWindows() || !calls.Load()) return;
  BecomePerMonitorDpiAware();
  t_cancel = cancel_.get();
  const HWND window =
      calls.createDialog(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CONVERSION_PROGRESS),
                         nullptr, ProgressProcedure, 0);
  if (!window) return;
  calls.setItemText(window, IDC_PROGRESS_DOCUMENT, documentName_.c_str());
  calls.showWindow(window, SW_SHOWNORMAL);
  HANDLE ended = ended_.get();
  for (int shown = -1;;) {
    if (const int pages = pagesDone_; pages != shown) {
      calls.setItemText(window, IDC_PROGRESS_PAGES, std::to_wstring(pages).c_str());
      shown = pages;
    }
    if (calls.waitForMessages(1, &ended, FALSE, kRefreshMs, QS_ALLINPUT) == WAIT_OBJECT_0) break;
    MSG message;
    while (calls.peekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (calls.isDialogMessage(window, &message)) continue;
      calls.translateMessage(&message);
      calls.dispatchMessage(&message);
    }
  }
  calls.destroyWindow(window);
}
