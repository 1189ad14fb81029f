#include "dialog_driver.h"

#include <gtest/gtest.h>

#include <vector>

#include "scratch_folder.h"
#include "window_text.h"

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

// The visible dialogs of a process, top-level.
std::vector<HWND> DialogsOf(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s.processId && IsWindowVisible(window) && ClassOf(window) == L"#32770")
          s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The child of `dialog` whose shown text is `label`.
HWND ChildWithText(HWND dialog, const std::wstring& label) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ShownText(child) == label) return child;
  }
  return nullptr;
}

}  // namespace

std::wstring ShownText(HWND window) {
  std::wstring text = WindowText(window);
  std::erase(text, L'&');
  return text;
}

DialogDriver::DialogDriver(const std::wstring& commandLine, const std::wstring& caption) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  std::wstring line = commandLine;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    ADD_FAILURE() << "cannot start " << commandLine << ": error " << GetLastError();
    return;
  }
  CloseHandle(started.hThread);
  process_.reset(started.hProcess);
  processId_ = started.dwProcessId;
  WaitUntil(
      [&] {
        for (HWND dialog : DialogsOf(processId_)) {
          if (ShownText(dialog) == caption) window_ = dialog;
        }
        return window_ != nullptr;
      },
      20000);
  if (!window_) ADD_FAILURE() << "no dialog \"" << caption << "\" appeared";
}

DialogDriver::~DialogDriver() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

HWND DialogDriver::Control(const std::wstring& label) const {
  const HWND named = window_ ? ChildWithText(window_, label) : nullptr;
  if (!named) return nullptr;
  // A static label names the control after it in tab order; others name themselves.
  return ClassOf(named) == L"Static" ? GetWindow(named, GW_HWNDNEXT) : named;
}

void DialogDriver::Type(const std::wstring& label, const std::wstring& text) const {
  const HWND edit = Control(label);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring DialogDriver::Text(const std::wstring& label) const {
  // GetWindowTextW gives another process's edit its creation text only: ask the control.
  const HWND control = Control(label);
  std::wstring text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

bool DialogDriver::Choose(const std::wstring& label, const std::wstring& item) const {
  const HWND list = Control(label);
  const LRESULT index = SendMessageW(list, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(item.c_str()));
  if (index == CB_ERR) return false;
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  // A person's choice is told to the dialog; CB_SETCURSEL alone is not.
  SendMessageW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  return true;
}

bool DialogDriver::Checked(const std::wstring& label) const {
  return SendMessageW(Control(label), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void DialogDriver::SetChecked(const std::wstring& label, bool checked) const {
  if (Checked(label) != checked) SendMessageW(Control(label), BM_CLICK, 0, 0);
}

void DialogDriver::Press(const std::wstring& label) const { PressIn(window_, label); }

void DialogDriver::PressIn(HWND dialog, const std::wstring& label) {
  const HWND button = ChildWithText(dialog, label);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

std::optional<HWND> DialogDriver::WaitForOtherDialog(DWORD timeoutMs) const {
  HWND other = nullptr;
  WaitUntil(
      [&] {
        for (HWND dialog : DialogsOf(processId_)) {
          if (dialog != window_) other = dialog;
        }
        return other != nullptr;
      },
      timeoutMs);
  return other ? std::optional<HWND>(other) : std::nullopt;
}

std::optional<DWORD> DialogDriver::WaitForExit(DWORD timeoutMs) const {
  DWORD exitCode = 0;
  if (!process_ || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process_.get(), &exitCode)) {
    return std::nullopt;
  }
  return exitCode;
}
