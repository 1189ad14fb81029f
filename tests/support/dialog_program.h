// A program of the product started with a dialog of its own (the job window,
// the settings window), driven by its controls: an input by the label before
// it, a button or check box by its own text (dialog_controls.h). The program
// is ended when the object goes, if it still runs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "unique_resource.h"

class DialogProgram {
 public:
  // Starts `commandLine` and waits up to `windowMs` for its dialog (0: not at all).
  DialogProgram(std::wstring commandLine, DWORD windowMs);
  ~DialogProgram();
  DialogProgram(const DialogProgram&) = delete;
  DialogProgram& operator=(const DialogProgram&) = delete;

  bool Started() const { return static_cast<bool>(process_); }
  HWND Window() const { return window_; }
  // The input after the label `labelOrText`, else the control of that text; null when none.
  HWND Control(const std::wstring& labelOrText) const;
  void Type(const std::wstring& label, const std::wstring& text) const;
  std::wstring Text(const std::wstring& label) const;
  bool Choose(const std::wstring& label, const std::wstring& itemStart) const;
  bool Checked(const std::wstring& label) const;
  void SetChecked(const std::wstring& label, bool checked) const;
  void Press(const std::wstring& label) const;
  // The exit code once the program has ended; nothing when it still runs.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;

 private:
  UniqueHandle process_;
  HWND window_ = nullptr;
};
