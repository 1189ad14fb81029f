#include "message_texts.h"

#include <initializer_list>

std::wstring UsageText(std::wstring_view productName) {
  std::wstring text = L"Changes settings for the ";
  text.append(productName).append(L".\r\n");
  for (const wchar_t* line : {
           L"",
           L"CONFIG [/S name value][/R name][/C]",
           L"",
           L"  /S\tSet a setting in the configuration.",
           L"    name\tName of setting to change.",
           L"    value\tNew value of setting.",
           L"  /R\tRemove a setting from the configuration.",
           L"    name\tName of setting to remove.",
           L"  /C\tClear all settings.",
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
    text.append(line).append(L"\r\n");
  }
  return text;
}

std::wstring ErrorReportText(std::int32_t number, std::wstring_view description) {
  std::wstring text = L"Error " + std::to_wstring(number) + L": ";
  text.append(description);
  return text;
}
