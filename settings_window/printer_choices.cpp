#include "printer_choices.h"

#include <algorithm>
#include <cwctype>

namespace {

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && std::iswspace(text.front())) text.remove_prefix(1);
  while (!text.empty() && std::iswspace(text.back())) text.remove_suffix(1);
  return text;
}

bool SameNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return std::towupper(x) == std::towupper(y); });
}

bool LessNoCase(const std::wstring& a, const std::wstring& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](wchar_t x, wchar_t y) { return std::towupper(x) < std::towupper(y); });
}

}  // namespace

bool UsesPort(std::wstring_view ports, std::wstring_view port) {
  for (std::size_t start = 0; start <= ports.size();) {
    const std::size_t comma = std::min(ports.find(L',', start), ports.size());
    if (SameNoCase(Trimmed(ports.substr(start, comma - start)), port)) return true;
    start = comma + 1;
  }
  return false;
}

std::vector<PrinterChoice> PrinterChoices(const std::vector<ListedPrinter>& printers,
                                          std::wstring_view port) {
  std::vector<std::wstring> names;
  for (const ListedPrinter& printer : printers) {
    if (!printer.name.empty() && UsesPort(printer.ports, port)) names.push_back(printer.name);
  }
  std::sort(names.begin(), names.end(), LessNoCase);
  std::vector<PrinterChoice> choices;
  for (const std::wstring& name : names) choices.push_back({name, name});
  choices.push_back({kAllOtherPrinters, L""});
  return choices;
}
