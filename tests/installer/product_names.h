// The names the installed product is known by, as the tests check them.
#pragma once

inline constexpr wchar_t kPrinterName[] = L"Quillmar Printer";
inline constexpr wchar_t kMonitorName[] = L"Quillmar Printer Monitor";
inline constexpr wchar_t kPortName[] = L"QUILLMAR:";
inline constexpr wchar_t kPortDescription[] = L"Quillmar Printer Port";
inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Quillmar\\PDF Writer\\Settings";
inline constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmar PDF Writer";
inline constexpr wchar_t kMonitorKey[] =
    L"System\\CurrentControlSet\\Control\\Print\\Monitors\\Quillmar Printer Monitor";
inline constexpr wchar_t kSettingsProgId[] = L"corvale.PDFPrinterSettings";
inline constexpr wchar_t kSettingsClsidKey[] = L"CLSID\\{3AB0FF65-5BBD-4111-9DD0-F506DE7A21E4}";
inline constexpr wchar_t kSettingsTypeLibKey[] = L"TypeLib\\{18DEA2FA-576F-41AF-9EDE-A2C95A89BC2F}";
inline constexpr wchar_t kSettingsInterfaceKey[] =
    L"Interface\\{3CDE414C-5508-498B-B1DF-68316E3EF4D0}";
