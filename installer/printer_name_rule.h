// Which names a printer of ours may have, and which printers are on our port.
// Pure code: printer_setup.exe checks a name here before any spooler call sees
// it, as the spooler reads some names as more than a printer ("\\server\x"
// reaches another machine, "x,XcvMonitor m" a monitor).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The longest printer name Windows accepts for a local printer.
inline constexpr std::size_t kMaxPrinterNameLength = 220;

// The characters Windows refuses in a printer name: "\" separates server and
// printer, "," options of the name, "!" the parts of a connection's key.
inline constexpr std::wstring_view kReservedInPrinterNames = L"\\,!";

enum class PrinterNameFault {
  kNone,
  kEmpty,
  kTooLong,
  kOuterSpace,         // a space at the start or the end
  kControlCharacter,   // see IsControlCharacter
  kReservedCharacter,  // one of kReservedInPrinterNames
};

PrinterNameFault FindPrinterNameFault(std::wstring_view name);

// The message that refuses `name` for `fault` and says what a name may hold.
std::wstring PrinterNameFaultText(PrinterNameFault fault, std::wstring_view name);

// Whether the spooler's port list of a printer ("QUILLMAR:" or, for a pooled
// printer, "LPT1:,QUILLMAR:") holds `port`, compared as the spooler compares
// port names (letters A to Z in either case).
bool PortListHolds(std::wstring_view portList, std::wstring_view port);
