#include "listed_printers.h"

#include <windows.h>
#include <winspool.h>

std::vector<ListedPrinter> ListedPrinters() {
  constexpr DWORD kFlags = PRINTER_ENUM_LOCAL;
  constexpr DWORD kLevel = 2;  // the level that carries the port names under Wine too
  std::vector<BYTE> buffer;
  DWORD needed = 0, returned = 0;
  // The list can grow between the two calls: ask again with the new size.
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (EnumPrintersW(kFlags, nullptr, kLevel, buffer.data(), static_cast<DWORD>(buffer.size()),
                      &needed, &returned)) {
      break;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
    buffer.assign(needed, 0);
    returned = 0;
  }
  std::vector<ListedPrinter> printers;
  const auto* infos = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) {
    printers.push_back({infos[i].pPrinterName ? infos[i].pPrinterName : L"",
                        infos[i].pPortName ? infos[i].pPortName : L""});
  }
  return printers;
}
