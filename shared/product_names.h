// The product's own names, as every binary uses them: header-only, so that the
// port monitor takes them without linking the rest of modShared.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include "machine_settings.h"

namespace product_names {

inline constexpr wchar_t kCompanyName[] = L"Quillmar";
inline constexpr wchar_t kAppName[] = L"PDF Writer";
// The title of the converter's own messages and its product name.
inline constexpr wchar_t kProductTitle[] = L"Quillmar PDF Writer";

namespace detail {
// The texts one after the other, as one null-terminated array made at compile time.
template <std::size_t... Sizes>
constexpr auto Joined(const wchar_t (&... parts)[Sizes]) {
  std::array<wchar_t, (Sizes + ...) - sizeof...(Sizes) + 1> text{};
  std::size_t at = 0;
  ((std::copy_n(parts, Sizes - 1, text.begin() + at), at += Sizes - 1), ...);
  return text;
}
inline constexpr auto kSettingsValuePath =
    Joined(L"HKEY_LOCAL_MACHINE\\", machine_settings::kKey, L"\\");
}  // namespace detail

// The machine-wide settings key (machine_settings.h) as a registry path for
// RegRead, ready for a value name: for the converter's readers that do not yet
// ask ReadMachineSetting.
inline constexpr const wchar_t* kSettingsValuePath = detail::kSettingsValuePath.data();

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
// The notifier: one per user session shows the notices of saved jobs. It is
// installed beside the converter, which starts it with the saved file's path;
// a started notifier hands that on to the session's resident one (a hidden
// window of the class below, whose process runs as the same user) with
// WM_COPYDATA of kind kNoticeDataKind, the path in UTF-16 without its end.
inline constexpr wchar_t kNotifierProgram[] = L"notifier.exe";
inline constexpr wchar_t kNotifierWindowClass[] = L"Quillmar PDF Writer notices";
// Held by the resident notifier, in the session's own namespace.
inline constexpr wchar_t kNotifierMutex[] = L"Local\\Quillmar PDF Writer notices";
inline constexpr unsigned long kNoticeDataKind = 0x51504E31;  // "QPN1"

}  // namespace product_names

// The application name: "PDF Writer".
inline std::wstring GetAppName() { return product_names::kAppName; }

// The text with every "\" replaced by "_" (one registry key name).
inline std::wstring ReplaceBackslashes(std::wstring text) {
  std::replace(text.begin(), text.end(), L'\\', L'_');
  return text;
}
