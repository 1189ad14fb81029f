#include "printer_choices.h"

#include <algorithm>
#include <cwctype>

#include "printer_name_rule.h"

namespace {

bool LessNoCase(const std::wstring& a, const std::wstring& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](wchar_t x, wchar_t y) { return std::towupper(x) < std::towupper(y); });
}

}  // namespace

std::vector<PrinterChoice> PrinterChoices(const std::vector<ListedPrinter>& printers,
                                          std::wstring_view port) {
  std::vector<std::wstring> names;
  for (const ListedPrinter& printer : printers) {
    if (!printer.name.empty() && PortListHolds(printer.ports, port)) names.push_back(printer.name);
  }
  std::sort(names.begin(), names.end(), LessNoCase);
  std::vector<PrinterChoice> choices;
  for (const std::wstring& name : names) choices.push_back({name, name});
  choices.push_back({kAllOtherPrinters, L""});
  return choices;
}
