// Drives a dialog of another process through its controls, found by their
// labels as a person (or a screen reader) sees them: an input by the static
// text before it in tab order, a button or check box by its own text. An "&"
// in a text is ignored.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "unique_resource.h"

class DialogDriver {
 public:
  // Starts `commandLine` and waits for its visible dialog with `caption`.
  DialogDriver(const std::wstring& commandLine, const std::wstring& caption);
  // Ends the program when it still runs.
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  HWND Window() const { return window_; }
  // The input that the label names; null when there is none.
  HWND Control(const std::wstring& label) const;

  // Replaces an edit's text as typing over it would (the dialog is told of the change).
  void Type(const std::wstring& label, const std::wstring& text) const;
  std::wstring Text(const std::wstring& label) const;
  // Chooses the drop-down item whose text starts with `item`; false when none does.
  bool Choose(const std::wstring& label, const std::wstring& item) const;
  bool Checked(const std::wstring& label) const;
  void SetChecked(const std::wstring& label, bool checked) const;
  // Presses a button without waiting for what it does (it may show a box).
  void Press(const std::wstring& label) const;

  // Another dialog of the program (a message box, say) with its text;
  // nothing when none shows within the time.
  std::optional<HWND> WaitForOtherDialog(DWORD timeoutMs) const;
  // Presses the button `label` of the dialog `dialog`.
  static void PressIn(HWND dialog, const std::wstring& label);

  // Waits for the program to end; its exit code, or nothing on time-out.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;

 private:
  UniqueHandle process_;
  DWORD processId_ = 0;
  HWND window_ = nullptr;
};

// The text of a window without its "&" access-key marks.
std::wstring ShownText(HWND window);
