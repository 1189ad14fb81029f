// Fixed names and texts of the port monitor that no other binary uses; the
// product's names are in product_names.h, the machine-wide settings in
// machine_settings.h.
#pragma once

#include "product_names.h"

namespace monitor_texts {

using product_names::kConverterProgram;
using product_names::kMonitorName;
using product_names::kPortDescription;
using product_names::kWorkAreaTail;
// The event pulsed when a job's output is written bears the monitor's name.
inline constexpr const wchar_t* kEventName = product_names::kMonitorName;
inline constexpr const wchar_t* kCaption = product_names::kPrinterName;
inline constexpr wchar_t kSpoolFileSuffix[] = L"_printer.ps";
// "port.log", or "port-<SID>.log" in a log folder that every user shares.
inline constexpr wchar_t kLogFileStem[] = L"port";

}  // namespace monitor_texts
