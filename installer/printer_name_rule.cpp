#include "printer_name_rule.h"

#include "character_rules.h"
#include "port_values.h"

namespace {

// The name as a message can show it: control characters as "?".
std::wstring Shown(std::wstring_view name) {
  std::wstring shown(name);
  for (wchar_t& c : shown) {
    if (IsControlCharacter(c)) c = L'?';
  }
  return shown;
}

}  // namespace

PrinterNameFault FindPrinterNameFault(std::wstring_view name) {
  if (name.empty()) return PrinterNameFault::kEmpty;
  if (name.size() > kMaxPrinterNameLength) return PrinterNameFault::kTooLong;
  for (const wchar_t c : name) {
    if (IsControlCharacter(c)) return PrinterNameFault::kControlCharacter;
    if (kReservedInPrinterNames.find(c) != std::wstring_view::npos) {
      return PrinterNameFault::kReservedCharacter;
    }
  }
  if (name.front() == L' ' || name.back() == L' ') return PrinterNameFault::kOuterSpace;
  return PrinterNameFault::kNone;
}

std::wstring PrinterNameFaultText(PrinterNameFault fault, std::wstring_view name) {
  const std::wstring quoted = L"The printer name \"" + Shown(name) + L"\" ";
  switch (fault) {
    case PrinterNameFault::kNone:
      return {};
    case PrinterNameFault::kEmpty:
      return L"The printer name is empty: give the name the new printer should have.";
    case PrinterNameFault::kTooLong:
      return L"The printer name has " + std::to_wstring(name.size()) + L" characters; at most " +
             std::to_wstring(kMaxPrinterNameLength) + L" are allowed.";
    case PrinterNameFault::kOuterSpace:
      return quoted + L"starts or ends with a space: leave the spaces out.";
    case PrinterNameFault::kControlCharacter:
      return quoted + L"holds a control character (shown as ?): use only printable characters.";
    case PrinterNameFault::kReservedCharacter:
      return quoted + L"holds \\ , or !, which a printer name cannot hold.";
  }
  return {};
}

bool PortListHolds(std::wstring_view portList, std::wstring_view port) {
  while (true) {
    const std::size_t comma = portList.find(L',');
    std::wstring_view entry = portList.substr(0, comma);
    while (!entry.empty() && entry.front() == L' ') entry.remove_prefix(1);
    while (!entry.empty() && entry.back() == L' ') entry.remove_suffix(1);
    if (!port.empty() && EqualIgnoringAsciiCase(std::wstring(entry), std::wstring(port)))
      return true;
    if (comma == std::wstring_view::npos) return false;
    portList.remove_prefix(comma + 1);
  }
}
