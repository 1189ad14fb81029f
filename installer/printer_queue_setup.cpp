#include "printer_queue_setup.h"

#include <windows.h>
#include <winspool.h>

#include "printer_name_rule.h"
#include "setup_error.h"
#include "setup_names.h"
#include "unique_printer.h"

namespace {

using namespace setup_names;

// The printer opened for administration; empty when there is no such printer.
UniquePrinter OpenPrinterNamed(const std::wstring& printerName) {
  std::wstring name = printerName;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  UniquePrinter printer;
  if (!OpenPrinterW(name.data(), printer.put(), &defaults)) {
    const DWORD error = GetLastError();
    if (error != ERROR_INVALID_PRINTER_NAME) ThrowError(L"Opening the printer " + name, error);
  }
  return printer;
}

// The printer's PRINTER_INFO_2W, in a buffer that also holds its texts.
std::vector<BYTE> ReadPrinterInfo(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (needed < sizeof(PRINTER_INFO_2W) ||
      !GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
    ThrowLastError(L"Reading the printer");
  }
  return buffer;
}

bool OnOurPort(const PRINTER_INFO_2W& info) {
  return info.pPortName && PortListHolds(info.pPortName, kPortName);
}

void UpdatePrinter(HANDLE printer, const std::wstring& driverName) {
  std::vector<BYTE> buffer = ReadPrinterInfo(printer);
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

// Adds the printer; false when a printer of that name exists already.
bool AddPrinterNamed(const std::wstring& printerName, const std::wstring& driverName) {
  std::wstring name = printerName;
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
  if (added) return true;
  if (GetLastError() == ERROR_PRINTER_ALREADY_EXISTS) return false;
  ThrowLastError(L"Adding the printer " + printerName);
}

// Deletes the opened printer after dropping its waiting jobs.
void DeleteOpenedPrinter(HANDLE printer, const std::wstring& name) {
  SetPrinterW(printer, 0, nullptr, PRINTER_CONTROL_PURGE);
  if (!DeletePrinter(printer)) ThrowLastError(L"Deleting the printer " + name);
}

}  // namespace

void InstallPrinter(const std::wstring& driverName) {
  if (UniquePrinter existing = OpenPrinterNamed(kPrinterName)) {
    UpdatePrinter(existing.get(), driverName);
    return;
  }
  if (!AddPrinterNamed(kPrinterName, driverName)) {
    ThrowError(L"Adding the printer", ERROR_PRINTER_ALREADY_EXISTS);
  }
}

void AddPrinterOnOurPort(const std::wstring& name, const std::wstring& driverName) {
  // Looked up first: Wine's AddPrinterW rewrites a printer of that name.
  if (OpenPrinterNamed(name) || !AddPrinterNamed(name, driverName)) {
    throw SetupRefusal{L"A printer named \"" + name +
                           L"\" exists already: choose another name, or remove that printer first.",
                       ERROR_PRINTER_ALREADY_EXISTS};
  }
}

void RemovePrinterOnOurPort(const std::wstring& name) {
  UniquePrinter printer = OpenPrinterNamed(name);
  if (!printer) {
    throw SetupRefusal{L"There is no printer named \"" + name + L"\".", ERROR_PRINTER_NOT_FOUND};
  }
  const std::vector<BYTE> buffer = ReadPrinterInfo(printer.get());
  if (!OnOurPort(*reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data()))) {
    throw SetupRefusal{L"The printer \"" + name +
                           L"\" is not a printer of Quillmar PDF Writer (not on its port " +
                           kPortName + L"): it is left as it is.",
                       ERROR_UNKNOWN_PORT};
  }
  DeleteOpenedPrinter(printer.get(), name);
}

std::vector<std::wstring> PrintersOnOurPort() {
  DWORD needed = 0, returned = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &returned)) {
    ThrowLastError(L"Listing the printers");
  }
  const auto* entries = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  std::vector<std::wstring> names;
  for (DWORD i = 0; i < returned; ++i) {
    if (entries[i].pPrinterName && OnOurPort(entries[i]))
      names.emplace_back(entries[i].pPrinterName);
  }
  return names;
}

void RemoveAllOurPrinters() {
  std::vector<std::wstring> names = PrintersOnOurPort();
  names.emplace_back(kPrinterName);
  for (const std::wstring& name : names) {
    if (UniquePrinter printer = OpenPrinterNamed(name)) DeleteOpenedPrinter(printer.get(), name);
  }
}
