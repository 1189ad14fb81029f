// The product's own names, as every binary uses them: header-only, so that the
// port monitor takes them without linking the rest of modShared.
#pragma once

#include <algorithm>
#include <string>

namespace product_names {

inline constexpr wchar_t kCompanyName[] = L"Quillmar";
inline constexpr wchar_t kAppName[] = L"PDF Writer";
// The title of the converter's own messages and its product name.
inline constexpr wchar_t kProductTitle[] = L"Quillmar PDF Writer";

// Under HKEY_LOCAL_MACHINE: the machine-wide settings (company\application\Settings).
inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Quillmar\\PDF Writer\\Settings";
// The same key as a registry path for RegRead, ready for a value name.
inline constexpr wchar_t kSettingsValuePath[] =
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillmar\\PDF Writer\\Settings\\";
// Below a user's application-data folder: the work area of the spooled jobs.
inline constexpr wchar_t kWorkAreaTail[] = L"Quillmar\\PDF Writer\\";

// The settings component's class, as clients create it.
inline constexpr wchar_t kSettingsProgId[] = L"corvale.PDFPrinterSettings";
inline constexpr wchar_t kSettingsClassName[] = L"PDFPrinterSettings";

// The port monitor: its name with the spooler, also the name of the event
// that it pulses when a job's output is written.
inline constexpr wchar_t kMonitorName[] = L"Quillmar Printer Monitor";
inline constexpr wchar_t kMonitorLibrary[] = L"corvale.dll";
inline constexpr wchar_t kPortName[] = L"QUILLMAR:";
inline constexpr wchar_t kPortDescription[] = L"Quillmar Printer Port";
// The printer, also the caption of the monitor's own messages.
inline constexpr wchar_t kPrinterName[] = L"Quillmar Printer";
// The converter program, found in the application folder.
inline constexpr wchar_t kConverterProgram[] = L"gui.exe";

}  // namespace product_names

// The application name: "PDF Writer".
inline std::wstring GetAppName() { return product_names::kAppName; }

// The text with every "\" replaced by "_" (one registry key name).
inline std::wstring ReplaceBackslashes(std::wstring text) {
  std::replace(text.begin(), text.end(), L'\\', L'_');
  return text;
}
