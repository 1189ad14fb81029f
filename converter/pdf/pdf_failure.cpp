#include "pdf_failure.h"

std::wstring PdfFailure::Text() const {
  const std::wstring subject =
      setting.empty() ? L"The file \"" + value + L"\""
                      : L"The setting \"" + setting + L"\" has the value \"" + value + L"\"";
  return subject + L": " + reason + L".";
}
