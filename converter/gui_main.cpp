// gui.exe, the converter: started by the monitor with a job (turn the spool
// file into a PDF) or with a message for the user.
#include <windows.h>

#include "automation_error.h"
#include "command_line_reader.h"
#include "conversion.h"
#include "on_demand_ui.h"
#include "pdf_steps_process.h"
#include "product_names.h"
#include "unexpected_exception.h"

const wchar_t* DefaultErrorSource() noexcept { return L"gui"; }

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    if (IsPdfStepsProcess(GetCommandLineW())) return RunPdfStepsProcess();
    const std::optional<ConverterParameters> parameters =
        ReadConverterParameters(GetCommandLineW());
    if (parameters) {
      if (const auto job = AsJobRequest(*parameters)) return ConvertJob(*job);
      if (const auto message = AsMessageRequest(*parameters)) return ShowMonitorMessage(*message);
    }
    ShowMessageBox(
        L"This program is started by the printer. Usage:\n"
        L"gui.exe ps=\"file\", sessionid=\"id\", doc=\"name\", printer=\"name\"\n"
        L"gui.exe msg=\"text\", icon=\"error|exclamation|information\"",
        product_names::kProductTitle, MB_OK | MB_ICONINFORMATION);
    return 2;
  } catch (...) {
    return static_cast<int>(UnexpectedExceptionError());
  }
}
