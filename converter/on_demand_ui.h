// The parts of the user interface that most jobs never need. user32, ole32,
// comdlg32 and shell32 are loaded from the system folder when one of them is
// used, not imported: under Wine each of them lengthens every start of the
// converter by tens of milliseconds, and a job that saves into its folder
// shows nothing.
#pragma once

#include <windows.h>

#include <string>

// Whether a user can see and answer this process's windows (the rule is
// SomeoneCanSeeWindows in unattended_job.h). The facts are read once, with
// user32 loaded for them.
bool UserCanSeeWindows();

// A message box owned by no window. Nothing is shown when nobody can see it or
// user32 cannot be loaded (the caller has written the text to its log already).
void ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT style);

// The calling thread in a single-threaded COM apartment for as long as the
// object lives, which the shell's dialogs and file openings expect. Without
// ole32 the thread stays outside, and those calls do without.
class ShellApartment {
 public:
  ShellApartment();
  ~ShellApartment();
  ShellApartment(const ShellApartment&) = delete;
  ShellApartment& operator=(const ShellApartment&) = delete;

 private:
  bool entered_ = false;
};
