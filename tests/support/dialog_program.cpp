#include "dialog_program.h"

#include "dialog_controls.h"

DialogProgram::DialogProgram(std::wstring commandLine, DWORD windowMs) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started))
    return;
  CloseHandle(started.hThread);
  process_.reset(started.hProcess);
  if (windowMs > 0) window_ = WaitForDialog(started.dwProcessId, windowMs);
}

DialogProgram::~DialogProgram() {
  if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.get(), 0xFFFF);
    WaitForSingleObject(process_.get(), 5000);
  }
}

HWND DialogProgram::Control(const std::wstring& labelOrText) const {
  const HWND input = ControlByLabel(window_, labelOrText);
  return input ? input : ControlByText(window_, labelOrText);
}

void DialogProgram::Type(const std::wstring& label, const std::wstring& text) const {
  SetControlText(Control(label), text);
}

std::wstring DialogProgram::Text(const std::wstring& label) const {
  return ControlText(Control(label));
}

bool DialogProgram::Choose(const std::wstring& label, const std::wstring& itemStart) const {
  return SelectItemStartingWith(Control(label), itemStart);
}

bool DialogProgram::Checked(const std::wstring& label) const { return IsChecked(Control(label)); }

void DialogProgram::SetChecked(const std::wstring& label, bool checked) const {
  ::SetChecked(Control(label), checked);
}

void DialogProgram::Press(const std::wstring& label) const { Click(Control(label)); }

std::optional<DWORD> DialogProgram::WaitForExit(DWORD timeoutMs) const {
  DWORD exitCode = 0;
  if (!process_ || WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process_.get(), &exitCode))
    return std::nullopt;
  return exitCode;
}
