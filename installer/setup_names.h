// The names under which the printer and its parts are installed.
#pragma once

#include "product_names.h"

namespace setup_names {

using product_names::kMonitorLibrary;
using product_names::kMonitorName;
using product_names::kPortName;
using product_names::kPrinterName;
inline constexpr wchar_t kPrintProcessor[] = L"winprint";
inline constexpr wchar_t kDatatype[] = L"RAW";

// The PostScript class driver that Windows ships in its driver store.
inline constexpr wchar_t kClassDriverName[] = L"Microsoft PS Class Driver";
// Under Wine: our own registration of Wine's PostScript driver.
inline constexpr wchar_t kWineDriverName[] = L"Quillmar PostScript Driver";
inline constexpr wchar_t kWineDriverLibrary[] = L"wineps.drv";
inline constexpr wchar_t kWineDriverDescription[] = L"quillmar.ppd";

// Under HKEY_LOCAL_MACHINE: the spooler's monitor keys.
inline constexpr wchar_t kMonitorsKey[] = L"System\\CurrentControlSet\\Control\\Print\\Monitors";

}  // namespace setup_names
