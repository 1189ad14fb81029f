#include "printer_queue_setup.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "setup_error.h"
#include "setup_names.h"
#include "unique_printer.h"

namespace {

using namespace setup_names;

// The printer opened for administration; empty when there is no such printer.
UniquePrinter OpenOurPrinter() {
  std::wstring name = kPrinterName;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  UniquePrinter printer;
  if (!OpenPrinterW(name.data(), printer.put(), &defaults)) {
    const DWORD error = GetLastError();
    if (error != ERROR_INVALID_PRINTER_NAME) ThrowError(L"Opening the printer", error);
  }
  return printer;
}

void UpdatePrinter(HANDLE printer, const std::wstring& driverName) {
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
    ThrowLastError(L"Reading the printer");
  }
  auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data());
  const bool samePort = info->pPortName && std::wstring(info->pPortName) == kPortName;
  const bool sameDriver = info->pDriverName && info->pDriverName == driverName;
  if (samePort && sameDriver) return;
  std::wstring port = kPortName;
  std::wstring driver = driverName;
  info->pPortName = port.data();
  info->pDriverName = driver.data();
  info->pSecurityDescriptor = nullptr;
  if (!SetPrinterW(printer, 2, buffer.data(), 0)) ThrowLastError(L"Changing the printer");
}

}  // namespace

void InstallPrinter(const std::wstring& driverName) {
  if (UniquePrinter existing = OpenOurPrinter()) {
    UpdatePrinter(existing.get(), driverName);
    return;
  }
  std::wstring name = kPrinterName;
  std::wstring port = kPortName;
  std::wstring driver = driverName;
  std::wstring processor = kPrintProcessor;
  std::wstring datatype = kDatatype;
  PRINTER_INFO_2W info{};
  info.pPrinterName = name.data();
  info.pPortName = port.data();
  info.pDriverName = driver.data();
  info.pPrintProcessor = processor.data();
  info.pDatatype = datatype.data();
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  UniquePrinter added(AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info)));
  if (!added) ThrowLastError(L"Adding the printer");
}

void RemovePrinter() {
  UniquePrinter printer = OpenOurPrinter();
  if (!printer) return;
  SetPrinterW(printer.get(), 0, nullptr, PRINTER_CONTROL_PURGE);
  if (!DeletePrinter(printer.get())) ThrowLastError(L"Deleting the printer");
}
