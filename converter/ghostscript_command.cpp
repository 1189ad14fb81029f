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
