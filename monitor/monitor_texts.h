// Fixed names and texts of the port monitor that no other binary uses; the
// product's names are in product_names.h.
#pragma once

#include "product_names.h"

namespace monitor_texts {

using product_names::kConverterProgram;
using product_names::kMonitorName;
using product_names::kPortDescription;
using product_names::kSettingsKey;
using product_names::kWorkAreaTail;
// The event pulsed when a job's output is written bears the monitor's name.
inline constexpr const wchar_t* kEventName = product_names::kMonitorName;
inline constexpr const wchar_t* kCaption = product_names::kPrinterName;
inline constexpr wchar_t kSpoolFileSuffix[] = L"_printer.ps";
inline constexpr wchar_t kLogFileName[] = L"port.log";
inline constexpr wchar_t kDebugMarker[] = L"debug.txt";
inline constexpr wchar_t kAppFolderSetting[] = L"AppFolder";
inline constexpr wchar_t kLogFolderSetting[] = L"LogFolder";

}  // namespace monitor_texts
