#include "message_texts.h"

#include <cwctype>
#include <initializer_list>

#include "switch_table.h"

namespace {

void AppendLine(std::wstring& text, std::wstring_view line) { text.append(line).append(L"\r\n"); }

// "CONFIG [/S name value][/R name][/C]"
std::wstring Synopsis() {
  std::wstring line = L"CONFIG ";
  for (const SwitchRow& row : kSwitches) {
    line.append(L"[/").push_back(static_cast<wchar_t>(std::towupper(row.letter)));
    for (const SwitchArgument& argument : row.arguments) line.append(L" ").append(argument.name);
    line.append(L"]");
  }
  return line;
}

}  // namespace

std::wstring UsageText(std::wstring_view productName) {
  std::wstring text = L"Changes settings for the ";
  text.append(productName).append(L".\r\n");
  AppendLine(text, L"");
  AppendLine(text, Synopsis());
  AppendLine(text, L"");
  for (const SwitchRow& row : kSwitches) {
    text.append(L"  /").push_back(static_cast<wchar_t>(std::towupper(row.letter)));
    AppendLine(text.append(L"\t"), row.help);
    for (const SwitchArgument& argument : row.arguments) {
      AppendLine(text.append(L"    ").append(argument.name).append(L"\t"), argument.help);
    }
  }
  for (const wchar_t* line : {
           L"",
           L"",
           L"Example: CONFIG /S Output \"C:\\document.pdf\"",
           L"",
           L"This will set the Output setting to the file C:\\document.pdf. When the output",
           L"is specified the printer will not ask for a destination of the created PDF",
           L"file. Remove the output setting to have the printer ask for a destination",
           L"again.",
           L"",
           L"CONFIG /R Output",
       }) {
    AppendLine(text, line);
  }
  return text;
}

std::wstring ErrorReportText(std::int32_t number, std::wstring_view description) {
  std::wstring text = L"Error " + std::to_wstring(number) + L": ";
  text.append(description);
  return text;
}
