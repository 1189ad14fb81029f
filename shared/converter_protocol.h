// The command line on which the monitor starts the converter, written by
// converter_command_line.h and read by command_line_reader.h:
//   "<folder>gui.exe" ps="<spool file>", sessionid="<id>", doc="<document>", printer="<printer>"
//   "<folder>gui.exe" msg="<message>", icon="<icon word>"
// Parameters are separated by ", "; a double quote inside a value is written
// as two double quotes, so that no value can end early or add a parameter. A
// message's backslashes are written twice.
#pragma once

namespace converter_protocol {

inline constexpr wchar_t kSpoolFileKey[] = L"ps";
inline constexpr wchar_t kSessionIdKey[] = L"sessionid";
inline constexpr wchar_t kDocumentKey[] = L"doc";
inline constexpr wchar_t kPrinterKey[] = L"printer";
inline constexpr wchar_t kMessageKey[] = L"msg";
inline constexpr wchar_t kIconKey[] = L"icon";
inline constexpr wchar_t kSeparator[] = L", ";

// The message box icons that have a word of their own ("error", "exclamation"):
// the values of MB_ICONERROR and MB_ICONEXCLAMATION, for code without the
// Windows header; every other icon is "information".
inline constexpr int kIconErrorCode = 0x10;
inline constexpr int kIconExclamationCode = 0x30;
inline constexpr wchar_t kErrorIconWord[] = L"error";
inline constexpr wchar_t kExclamationIconWord[] = L"exclamation";
inline constexpr wchar_t kInformationIconWord[] = L"information";

}  // namespace converter_protocol
