// Fixed names and texts of the port monitor: registry keys, the event, captions.
#pragma once

namespace monitor_texts {

inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Quillmar\\PDF Writer\\Settings";
inline constexpr wchar_t kMonitorName[] = L"Quillmar Printer Monitor";
inline constexpr wchar_t kPortDescription[] = L"Quillmar Printer Port";
inline constexpr wchar_t kEventName[] = L"Quillmar Printer Monitor";
inline constexpr wchar_t kCaption[] = L"Quillmar Printer";
inline constexpr wchar_t kWorkAreaTail[] = L"Quillmar\\PDF Writer\\";
inline constexpr wchar_t kSpoolFileSuffix[] = L"_printer.ps";
inline constexpr wchar_t kLogFileName[] = L"port.log";
inline constexpr wchar_t kDebugMarker[] = L"debug.txt";
inline constexpr wchar_t kConverterProgram[] = L"gui.exe";
inline constexpr wchar_t kAppFolderSetting[] = L"AppFolder";
inline constexpr wchar_t kLogFolderSetting[] = L"LogFolder";

}  // namespace monitor_texts
