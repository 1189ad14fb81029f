#include "ghostscript_command.h"

std::wstring PdfTitleString(const std::wstring& title) {
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring text = L"<FEFF";
  for (wchar_t unit : title) {
    for (int shift = 12; shift >= 0; shift -= 4) text.push_back(kHex[(unit >> shift) & 0xF]);
  }
  text.push_back(L'>');
  return text;
}

std::vector<std::wstring> GhostscriptArguments(const std::wstring& postscript,
                                               const std::wstring& pdf, const std::wstring& title) {
  return {L"-q",
          L"-dNOPAUSE",
          L"-dBATCH",
          L"-dSAFER",
          L"-sDEVICE=pdfwrite",
          L"-sOutputFile=" + pdf,
          L"-f",
          postscript,
          L"-c",
          L"[ /Title " + PdfTitleString(title) + L" /DOCINFO pdfmark"};
}

std::wstring QuoteArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, L'\\');  // they precede the closing quote
  quoted.push_back(L'"');
  return quoted;
}

std::wstring BuildCommandLine(const std::wstring& program,
                              const std::vector<std::wstring>& arguments) {
  std::wstring line = QuoteArgument(program);
  for (const std::wstring& argument : arguments) line += L" " + QuoteArgument(argument);
  return line;
}
