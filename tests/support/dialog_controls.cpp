#include "dialog_controls.h"

#include <vector>

#include "scratch_folder.h"

namespace {

std::wstring WithoutAccessKey(std::wstring text) {
  std::erase(text, L'&');
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

struct DialogSearch {
  DWORD processId;
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DialogSearch*>(context);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->processId || !IsWindowVisible(window) || ClassOf(window) != L"#32770")
    return TRUE;
  search->found = window;
  return FALSE;
}

// The dialog's children in tab order (the order of its template).
std::vector<HWND> Children(HWND dialog) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

std::wstring ItemText(HWND comboBox, LRESULT index) {
  std::wstring item(static_cast<std::size_t>(SendMessageW(comboBox, CB_GETLBTEXTLEN, index, 0)) + 1,
                    L'\0');
  item.resize(static_cast<std::size_t>(
      SendMessageW(comboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()))));
  return item;
}

}  // namespace

HWND WaitForDialog(DWORD processId, DWORD timeoutMs) {
  DialogSearch search{processId};
  WaitUntil(
      [&] {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  return search.found;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

HWND ControlByLabel(HWND dialog, std::wstring_view label) {
  const std::vector<HWND> children = Children(dialog);
  for (std::size_t i = 0; i + 1 < children.size(); ++i) {
    if (ClassOf(children[i]) == L"Static" &&
        WithoutAccessKey(ControlText(children[i])) == WithoutAccessKey(std::wstring(label)))
      return children[i + 1];
  }
  return nullptr;
}

HWND ControlByText(HWND dialog, std::wstring_view text) {
  for (const HWND child : Children(dialog)) {
    if (WithoutAccessKey(ControlText(child)) == WithoutAccessKey(std::wstring(text))) return child;
  }
  return nullptr;
}

std::wstring ControlText(HWND control) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

void SetControlText(HWND control, const std::wstring& text) {
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool SelectItemStartingWith(HWND comboBox, std::wstring_view start) {
  // The first item that starts so, case counted (CB_FINDSTRING would ignore it).
  const auto count = SendMessageW(comboBox, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (!ItemText(comboBox, i).starts_with(start)) continue;
    SendMessageW(comboBox, CB_SETCURSEL, i, 0);
    SendMessageW(GetParent(comboBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(comboBox));
    return true;
  }
  return false;
}

std::wstring SelectedItem(HWND comboBox) {
  const auto selected = SendMessageW(comboBox, CB_GETCURSEL, 0, 0);
  return selected < 0 ? std::wstring() : ItemText(comboBox, selected);
}

void SetChecked(HWND checkBox, bool checked) {
  SendMessageW(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsChecked(HWND checkBox) { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
