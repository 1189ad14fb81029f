// printer_setup.exe: the spooler's part of installing and removing the printer.
//
//   printer_setup install [<list>]   PostScript driver, port monitor with its port,
//                                    printer "Quillmar Printer", and the printers
//                                    named in <list> (see remove) added again
//   printer_setup remove [<list>]    every printer on our port, port monitor with
//                                    its port, our own driver; with <list>, the
//                                    names of the printers removed besides
//                                    "Quillmar Printer" are written to that file
//   printer_setup add-printer <name>      another printer on our port
//   printer_setup remove-printer <name>   a printer on our port
//   printer_setup check-protected-print   whether Windows protected print mode
//                                         lets the printer work
//   printer_setup secure-folder <folder> <64-bit Program Files>
//                           the program folder, made and given the rights of
//                           Program Files unless it lies inside it
//
// Install and remove can run any number of times: what exists already is kept (install) and
// what is missing is skipped (remove). Exit code 0 on success, else the system
// error code of the step that failed or refused (ERROR_BAD_ARGUMENTS for a
// wrong command line); README.md lists the refusals.
#include <windows.h>

#include <cstdio>
#include <string>

#include "kept_printer_list.h"
#include "port_monitor_setup.h"
#include "printer_driver_setup.h"
#include "printer_name_rule.h"
#include "printer_queue_setup.h"
#include "program_folder_security.h"
#include "protected_print_query.h"
#include "setup_error.h"
#include "system_message.h"
#include "unexpected_exception.h"

namespace {

// Refuses when Windows protected print mode is on, as the printer could not
// work; the refusal is then the only output, which the setup program shows.
void CheckProtectedPrint() {
  const ProtectedPrintAnswer answer = AskProtectedPrint();
  if (JudgeProtectedPrint(answer) == ProtectedPrintVerdict::kOn) {
    throw SetupRefusal{ProtectedPrintRefusalText(), ERROR_ACCESS_DISABLED_BY_POLICY};
  }
  std::fwprintf(stdout, L"%ls\n", ProtectedPrintStatusText(answer).c_str());
}

void CheckPrinterName(const std::wstring& name) {
  const PrinterNameFault fault = FindPrinterNameFault(name);
  if (fault != PrinterNameFault::kNone) {
    throw SetupRefusal{PrinterNameFaultText(fault, name), ERROR_INVALID_PRINTER_NAME};
  }
}

// A printer named in the list of an earlier removal, added again; one that
// cannot be is named, and the others still come back.
void AddKeptPrinter(const std::wstring& name, const std::wstring& driver) {
  try {
    CheckPrinterName(name);
    AddPrinterOnOurPort(name, driver);
    std::fwprintf(stdout, L"Printer added again: %ls\n", name.c_str());
  } catch (const SetupRefusal& refusal) {
    std::fwprintf(stdout, L"Printer not added again: %ls\n", refusal.message.c_str());
  }
}

void Install(const std::wstring& keptList) {
  CheckProtectedPrint();
  const std::wstring driver = InstallPostScriptDriver();
  std::fwprintf(stdout, L"Printer driver: %ls\n", driver.c_str());
  InstallPortMonitor();
  std::fwprintf(stdout, L"Port monitor installed\n");
  InstallPrinter(driver);
  std::fwprintf(stdout, L"Printer installed\n");
  if (keptList.empty()) return;
  for (const std::wstring& name : ReadKeptPrinters(keptList)) AddKeptPrinter(name, driver);
}

void Remove(const std::wstring& keptList) {
  if (!keptList.empty()) WriteKeptPrinters(keptList, PrintersOnOurPort());
  RemoveAllOurPrinters();
  std::fwprintf(stdout, L"Printers removed\n");
  RemovePortMonitor();
  std::fwprintf(stdout, L"Port monitor removed\n");
  RemoveOwnPostScriptDriver();
  std::fwprintf(stdout, L"Printer driver removed\n");
}

void AddNamedPrinter(const std::wstring& name) {
  CheckPrinterName(name);
  CheckProtectedPrint();
  if (!PortMonitorListed()) {
    throw SetupRefusal{
        L"Quillmar PDF Writer is not installed (its port monitor is missing): "
        L"run its setup program first.",
        ERROR_UNKNOWN_PRINT_MONITOR};
  }
  AddPrinterOnOurPort(name, InstallPostScriptDriver());
  std::fwprintf(stdout, L"Printer added: %ls\n", name.c_str());
}

void RemoveNamedPrinter(const std::wstring& name) {
  CheckPrinterName(name);
  RemovePrinterOnOurPort(name);
  std::fwprintf(stdout, L"Printer removed: %ls\n", name.c_str());
}

int Usage() {
  std::fwprintf(stderr,
                L"Usage: printer_setup install [<list>] | remove [<list>] | add-printer <name> | "
                L"remove-printer <name> | check-protected-print | "
                L"secure-folder <folder> <program files>\n");
  return ERROR_BAD_ARGUMENTS;
}

// Runs the verb; false when the command line names none.
bool Run(const std::wstring& verb, int argc, wchar_t** argv) {
  const std::wstring argument = argc >= 3 ? argv[2] : L"";
  if ((verb == L"install" || verb == L"remove") && argc <= 3) {
    verb == L"install" ? Install(argument) : Remove(argument);
  } else if (verb == L"add-printer" && argc == 3) {
    AddNamedPrinter(argument);
  } else if (verb == L"remove-printer" && argc == 3) {
    RemoveNamedPrinter(argument);
  } else if (verb == L"check-protected-print" && argc == 2) {
    CheckProtectedPrint();
  } else if (verb == L"secure-folder" && argc == 4) {
    SecureProgramFolder(argv[2], argv[3]);
    std::fwprintf(stdout, L"Program folder ready: %ls\n", argv[2]);
  } else {
    return false;
  }
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  try {
    return Run(argc >= 2 ? argv[1] : L"", argc, argv) ? 0 : Usage();
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
