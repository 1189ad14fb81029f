// Opening PDFs for qpdf and writing its result; the module's text conversions.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>

struct PdfEncryption;

// UTF-8, as qpdf takes file names (it opens them with their UTF-16 names) and
// the passwords of AES-256 encryption.
std::string Utf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// `path` read by qpdf, without repairs (a damaged file is refused) and without
// warnings on the standard error. An encrypted file is opened with the first
// of `passwords` that fits (in UTF-8, then the older encodings), or with none.
// Raises PdfFailure naming `setting` and the file when no password opens it,
// and qpdf's exceptions when it is no readable PDF. With `file`, the PDF is
// read from there (from its start) and `path` only names it.
std::unique_ptr<QPDF> OpenPdf(const std::wstring& path, const std::wstring& setting,
                              const std::vector<std::wstring>& passwords = {},
                              std::FILE* file = nullptr);

// Writes `document` to `output` (or to `file`, which `output` then names):
// encrypted with `encryption` when given, else with its own encryption if it
// has one. Raises qpdf's exceptions when it cannot.
void WritePdf(QPDF& document, const std::wstring& output, std::FILE* file,
              const std::optional<PdfEncryption>& encryption);

// Removes a file at its end unless kept (or the path is empty): a failed step
// leaves no partial file.
class OutputFileGuard {
 public:
  explicit OutputFileGuard(std::wstring path) : path_(std::move(path)) {}
  ~OutputFileGuard();
  OutputFileGuard(const OutputFileGuard&) = delete;
  OutputFileGuard& operator=(const OutputFileGuard&) = delete;
  void Keep() { kept_ = true; }

 private:
  std::wstring path_;
  bool kept_ = false;
};
