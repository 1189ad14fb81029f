// The printer "Quillmar Printer" on the monitor's port.
#pragma once

#include <string>

// Adds the printer with the driver, or points an existing one at our port and
// that driver.
void InstallPrinter(const std::wstring& driverName);

// Deletes the printer and its waiting jobs; nothing when absent.
void RemovePrinter();
