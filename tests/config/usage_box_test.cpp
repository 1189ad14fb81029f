// The usage box's buttons and icon, inspected in this process as it opens.
#include <windows.h>

#include <gtest/gtest.h>

#include "message_box_watcher.h"
#include "user_messages.h"

namespace {

struct BoxControls {
  int visibleButtons = 0;
  std::vector<HICON> visibleIcons;
};
BoxControls seenControls;
bool boxSeen = false;

BOOL CALLBACK CountControl(HWND control, LPARAM) {
  if (!(GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE)) return TRUE;
  wchar_t className[32] = {};
  GetClassNameW(control, className, 32);
  if (_wcsicmp(className, L"Button") == 0) ++seenControls.visibleButtons;
  if (_wcsicmp(className, L"Static") == 0 &&
      (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    seenControls.visibleIcons.push_back(
        reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0)));
  }
  return TRUE;
}

// Sees the box as it becomes active, records its controls and closes it.
LRESULT CALLBACK OnWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && !boxSeen) {
    boxSeen = true;
    const HWND box = reinterpret_cast<HWND>(wParam);
    EnumChildWindows(box, CountControl, 0);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
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

  ASSERT_TRUE(boxSeen);
  EXPECT_EQ(seenControls.visibleButtons, 1);
  ASSERT_EQ(seenControls.visibleIcons.size(), 1u);
  EXPECT_EQ(seenControls.visibleIcons[0], LoadIconW(nullptr, IDI_INFORMATION));
  EXPECT_NE(seenControls.visibleIcons[0], LoadIconW(nullptr, IDI_ERROR));
}
