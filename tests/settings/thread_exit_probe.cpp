// thread_exit_probe <instance>
//
// Writes the run-once settings of <instance> from a second thread that joins
// and leaves its own apartment, then waits for that thread to end. Exit code 0
// when the thread ended and the write succeeded, 1 when the write failed.
#include <windows.h>
#include <shellapi.h>

#include <thread>

#include "automation_call.h"
#include "com_test_support.h"

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count != 2) return 2;
  const std::wstring instance = arguments[1];
  LocalFree(arguments);
  bool written = false;
  std::thread([&] {
    Apartment apartment;
    ComPtr<IDispatch> object = CreateByProgId(kProgId);
    if (!object) return;
    written = CallByName(object.get(), L"SetPrinterInstance", {instance}).Succeeded() &&
              CallByName(object.get(), L"WriteSettings", {true}).Succeeded();
  }).join();
  return written ? 0 : 1;
}
