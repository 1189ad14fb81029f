// The printers that the settings window offers: those on the product's port,
// by name, and last the default instance for every other printer. Pure.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A printer as the spooler lists it.
struct ListedPrinter {
  std::wstring name;
  std::wstring ports;  // one port, or several separated by commas
};

// One entry of the "Printer:" list.
struct PrinterChoice {
  std::wstring label;     // what the list shows
  std::wstring instance;  // the settings instance it names ("": the default instance)
};

// The label of the default instance's entry.
inline constexpr wchar_t kAllOtherPrinters[] = L"All other printers";

// The printers whose port list holds `port` (the installer's rule), sorted by name without regard
// to case, then the default instance.
std::vector<PrinterChoice> PrinterChoices(const std::vector<ListedPrinter>& printers,
                                          std::wstring_view port);
