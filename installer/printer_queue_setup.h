// The printers on the monitor's port: "Quillmar Printer", which the setup
// makes, and those an administrator adds.
#pragma once

#include <string>
#include <vector>

// Adds the printer "Quillmar Printer" with the driver, or points an existing
// one at our port and that driver.
void InstallPrinter(const std::wstring& driverName);

// Adds the printer `name` on our port with the driver. `name` must have passed
// FindPrinterNameFault. A name that another printer has is refused
// (SetupRefusal, ERROR_PRINTER_ALREADY_EXISTS).
void AddPrinterOnOurPort(const std::wstring& name, const std::wstring& driverName);

// Deletes the printer `name` and its waiting jobs. Refused (SetupRefusal) when
// there is no such printer (ERROR_PRINTER_NOT_FOUND) or when it is not on our
// port (ERROR_UNKNOWN_PORT). `name` must have passed FindPrinterNameFault.
void RemovePrinterOnOurPort(const std::wstring& name);

// The names of the printers on our port, "Quillmar Printer" among them.
std::vector<std::wstring> PrintersOnOurPort();

// Deletes every printer on our port, and "Quillmar Printer" wherever it points,
// with their waiting jobs; nothing when there is none.
void RemoveAllOurPrinters();
