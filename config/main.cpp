// config.exe: sets, removes or clears one run-once setting of the printer
// through the settings component, or shows how to do so. A windowless program:
// its only output is a message box, its exit status says how the run ended.

#include <windows.h>
#include <objbase.h>

#include "action_choice.h"
#include "automation_error.h"
#include "com_settings_object.h"
#include "program_arguments.h"
#include "system_message.h"
#include "unexpected_exception.h"
#include "user_messages.h"

namespace {

enum ExitStatus : int { kDone = 0, kUsageShown = 1, kFailed = 2 };

// The thread's single-threaded COM apartment, left when the run ends.
class ComApartment {
 public:
  ComApartment() {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(hr)) RaiseError(hr, SystemMessage(static_cast<DWORD>(hr)));
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() { CoUninitialize(); }
};

ExitStatus Main() {
  const ChosenAction chosen = ChooseAction(ArgumentText(GetCommandLineW()));
  if (!chosen.row) {
    ShowUsage();
    return kUsageShown;
  }
  ComApartment apartment;
  chosen.row->action(NewComSettingsObject, chosen.values);
  return kDone;
}

}  // namespace

const wchar_t* DefaultErrorSource() noexcept { return L"config"; }

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    return Main();
  } catch (const AutomationError& error) {
    ShowError(error.Number(), error.Description());
  } catch (...) {
    const UnexpectedAutomationError error = UnexpectedExceptionAutomationError();
    ShowError(error.number, error.description);
  }
  return kFailed;
}
