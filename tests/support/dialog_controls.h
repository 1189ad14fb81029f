// Finds and drives the controls of another process's dialog the way a user
// (or a screen reader) sees them: an input by the static label before it in
// tab order, a button or check box by its own text. Texts are compared
// without their access-key "&". Under the test prefixes' null graphics driver
// the dialogs are real windows that nobody draws.
//
//   const HWND window = WaitForDialog(processId, 10000);
//   SetControlText(ControlByLabel(window, L"File name:"), L"report");
//   SelectItemStartingWith(ControlByLabel(window, L"Format:"), L"PDF/A");
//   Click(ControlByText(window, L"Save"));
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// A visible top-level dialog (class "#32770") of the process, waited for up
// to `timeoutMs`; null when none came.
HWND WaitForDialog(DWORD processId, DWORD timeoutMs);
// Whether the window is gone (or hidden) within `timeoutMs`.
bool WaitUntilGone(HWND window, DWORD timeoutMs);

// The control after the static whose text is `label`, in tab order; null when none.
HWND ControlByLabel(HWND dialog, std::wstring_view label);
// The button, check box or static whose own text is `text`; null when none.
HWND ControlByText(HWND dialog, std::wstring_view text);

std::wstring ControlText(HWND control);
void SetControlText(HWND control, const std::wstring& text);
// Selects the item of a drop-down list that starts with `start`, as a user's
// choice would (the dialog is told); false when no item does.
bool SelectItemStartingWith(HWND comboBox, std::wstring_view start);
// The text of the drop-down list's selected item.
std::wstring SelectedItem(HWND comboBox);
void SetChecked(HWND checkBox, bool checked);
bool IsChecked(HWND checkBox);
// Presses the button; posted, so that a button that opens another window or
// ends the dialog does not hold the caller.
void Click(HWND button);
