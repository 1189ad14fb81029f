// The usage box's buttons and icon, inspected in this process as it opens.
#include <windows.h>

#include <gtest/gtest.h>

#include "message_box_watcher.h"
#include "user_messages.h"

namespace {

struct {
  bool seen = false;
  int visibleButtons = 0;
  std::vector<HICON> visibleIcons;
} usageBox;

BOOL CALLBACK RecordControl(HWND control, LPARAM) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  wchar_t className[32] = {};
  GetClassNameW(control, className, 32);
  if (!(style & WS_VISIBLE)) return TRUE;
  if (_wcsicmp(className, L"Button") == 0) ++usageBox.visibleButtons;
  if (_wcsicmp(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
    usageBox.visibleIcons.push_back(
        reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0)));
  }
  return TRUE;
}

// Records the box's controls as it becomes active, then closes it.
LRESULT CALLBACK OnWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && !usageBox.seen) {
    usageBox.seen = true;
    EnumChildWindows(reinterpret_cast<HWND>(wParam), RecordControl, 0);
    PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(ShowUsage, ShowsOneOkButtonAndTheInformationIcon) {
  MessageBoxWatcher watcher;  // closes the box should the hook miss it
  const HHOOK hook = SetWindowsHookExW(WH_CBT, OnWindowEvent, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  ShowUsage();
  UnhookWindowsHookEx(hook);

  ASSERT_TRUE(usageBox.seen);
  EXPECT_EQ(usageBox.visibleButtons, 1);
  ASSERT_EQ(usageBox.visibleIcons.size(), 1u);
  EXPECT_EQ(usageBox.visibleIcons[0], LoadIconW(nullptr, IDI_INFORMATION));
}
