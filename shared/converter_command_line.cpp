#include "converter_command_line.h"

#include "converter_protocol.h"
#include "product_names.h"
#include "trailing_backslash.h"

using namespace converter_protocol;

std::wstring EscapeBackslashes(std::wstring_view text) {
  std::wstring result;
  result.reserve(text.size());
  for (wchar_t c : text) {
    result += c;
    if (c == L'\\') result += c;
  }
  return result;
}

std::wstring IconWord(int iconCode) {
  switch (iconCode) {
    case kIconErrorCode:
      return kErrorIconWord;
    case kIconExclamationCode:
      return kExclamationIconWord;
    default:
      return kInformationIconWord;
  }
}

std::wstring QuotedParameter(std::wstring_view key, std::wstring_view value) {
  std::wstring result(key);
  result += L"=\"";
  for (wchar_t c : value) {
    result += c;
    if (c == L'"') result += c;
  }
  result += L'"';
  return result;
}

std::wstring JobParameters(std::wstring_view spoolFile, std::wstring_view sessionId,
                           std::wstring_view documentName, std::wstring_view printerName) {
  return QuotedParameter(kSpoolFileKey, spoolFile) + kSeparator +
         QuotedParameter(kSessionIdKey, sessionId) + kSeparator +
         QuotedParameter(kDocumentKey, documentName) + kSeparator +
         QuotedParameter(kPrinterKey, printerName);
}

std::wstring MessageParameters(std::wstring_view message, int iconCode) {
  return QuotedParameter(kMessageKey, EscapeBackslashes(message)) + kSeparator +
         QuotedParameter(kIconKey, IconWord(iconCode));
}

std::wstring ConverterCommandLine(std::wstring_view appFolder, std::wstring_view parameters) {
  std::wstring line = L"\"" + WithTrailingBackslash(std::wstring(appFolder));
  line.append(product_names::kConverterProgram).append(L"\" ");
  line += parameters;
  return line;
}
