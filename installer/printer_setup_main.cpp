// printer_setup.exe: the spooler's part of installing and removing the printer.
//
//   printer_setup install   PostScript driver, port monitor with its port, printer
//   printer_setup remove    printer, port monitor with its port, our own driver
//   printer_setup secure-folder <folder> <64-bit Program Files>
//                           the program folder, made and given the rights of
//                           Program Files unless it lies inside it
//
// Install and remove can run any number of times: what exists already is kept (install) and
// what is missing is skipped (remove). Exit code 0 on success, else the system
// error code of the step that failed or refused (ERROR_BAD_ARGUMENTS for a
// wrong command line).
#include <windows.h>

#include <cstdio>
#include <string>

#include "port_monitor_setup.h"
#include "program_folder_security.h"
#include "printer_driver_setup.h"
#include "printer_queue_setup.h"
#include "setup_error.h"
#include "system_message.h"
#include "unexpected_exception.h"

namespace {

void Install() {
  const std::wstring driver = InstallPostScriptDriver();
  std::fwprintf(stdout, L"Printer driver: %ls\n", driver.c_str());
  InstallPortMonitor();
  std::fwprintf(stdout, L"Port monitor installed\n");
  InstallPrinter(driver);
  std::fwprintf(stdout, L"Printer installed\n");
}

void Remove() {
  RemovePrinter();
  std::fwprintf(stdout, L"Printer removed\n");
  RemovePortMonitor();
  std::fwprintf(stdout, L"Port monitor removed\n");
  RemoveOwnPostScriptDriver();
  std::fwprintf(stdout, L"Printer driver removed\n");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring verb = argc >= 2 ? argv[1] : L"";
  const bool securing = argc == 4 && verb == L"secure-folder";
  if (!securing && (argc != 2 || (verb != L"install" && verb != L"remove"))) {
    std::fwprintf(stderr,
                  L"Usage: printer_setup install|remove|secure-folder <folder> <program files>\n");
    return ERROR_BAD_ARGUMENTS;
  }
  try {
    if (securing) {
      SecureProgramFolder(argv[2], argv[3]);
      std::fwprintf(stdout, L"Program folder ready: %ls\n", argv[2]);
    } else {
      verb == L"install" ? Install() : Remove();
    }
    return 0;
  } catch (const SetupRefusal& refusal) {
    std::fwprintf(stderr, L"%ls\n", refusal.message.c_str());
    return static_cast<int>(refusal.code);
  } catch (const SetupError& error) {
    std::fwprintf(stderr, L"%ls failed: error %lu: %ls\n", error.step.c_str(), error.code,
                  SystemMessage(error.code).c_str());
    return static_cast<int>(error.code);
  } catch (...) {
    const DWORD code = UnexpectedExceptionError();
    std::fwprintf(stderr, L"Failed: error %lu: %ls\n", code, SystemMessage(code).c_str());
    return static_cast<int>(code);
  }
}
