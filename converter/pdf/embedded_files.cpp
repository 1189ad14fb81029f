#include "embedded_files.h"

#include <array>
#include <chrono>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string_view>

#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QUtil.hh>

#include "pdf_failure.h"
#include "pdf_files.h"

namespace {

namespace fs = std::filesystem;

struct MimeType {
  std::wstring_view extension;
  const char* type;
};

constexpr std::array<MimeType, 13> kMimeTypes = {{{L".xml", "text/xml"},
                                                  {L".pdf", "application/pdf"},
                                                  {L".txt", "text/plain"},
                                                  {L".csv", "text/csv"},
                                                  {L".json", "application/json"},
                                                  {L".htm", "text/html"},
                                                  {L".html", "text/html"},
                                                  {L".png", "image/png"},
                                                  {L".jpg", "image/jpeg"},
                                                  {L".jpeg", "image/jpeg"},
                                                  {L".tif", "image/tiff"},
                                                  {L".tiff", "image/tiff"},
                                                  {L".zip", "application/zip"}}};

// The file's bytes; raises PdfFailure when it is no file or cannot be read.
std::string ReadAttachment(const std::wstring& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (fs::is_directory(status)) throw PdfFailure{L"attach", path, L"it is a folder, not a file"};
  if (!fs::is_regular_file(status)) throw PdfFailure{L"attach", path, L"there is no such file"};
  std::ifstream file(fs::path(path), std::ios::binary);
  if (!file) throw PdfFailure{L"attach", path, L"the file cannot be opened"};
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) throw PdfFailure{L"attach", path, L"the file cannot be read"};
  return bytes;
}

// The name for readers that know only /F, which holds bytes: the name in
// PDFDocEncoding, with "_" for each character that it lacks (/UF keeps the
// whole name).
std::string CompatibleFileName(const std::wstring& name) {
  std::string bytes;
  QUtil::utf8_to_pdf_doc(Utf8(name), bytes, '_');
  return bytes;
}

// The file's modification date as a PDF date in UTC ("D:20260131235959Z").
std::string ModificationDate(const std::wstring& path) {
  using namespace std::chrono;
  std::error_code error;
  const fs::file_time_type written = fs::last_write_time(path, error);
  const sys_seconds time =
      error ? floor<seconds>(system_clock::now()) : floor<seconds>(file_clock::to_sys(written));
  const sys_days day = floor<days>(time);
  const year_month_day date(day);
  const hh_mm_ss clock(time - day);
  return QUtil::qpdf_time_to_pdf_time(QUtil::QPDFTime(
      static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
      static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(clock.hours().count()),
      static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count()), 0));
}

}  // namespace

std::string MimeTypeOf(const std::wstring& fileName) {
  std::wstring extension = fs::path(fileName).extension().wstring();
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  for (const MimeType& known : kMimeTypes) {
    if (known.extension == extension) return known.type;
  }
  return "application/octet-stream";
}

void EmbedFiles(QPDF& document, const std::vector<std::wstring>& paths, bool associated) {
  if (paths.empty()) return;
  QPDFEmbeddedFileDocumentHelper files(document);
  QPDFObjectHandle root = document.getRoot();
  if (associated && !root.getKey("/AF").isArray()) {
    root.replaceKey("/AF", QPDFObjectHandle::newArray());
  }
  std::set<std::wstring> names;
  for (const std::wstring& path : paths) {
    const std::wstring name = fs::path(path).filename().wstring();
    const std::string bytes = ReadAttachment(path);
    if (!names.insert(name).second) {
      throw PdfFailure{L"attach", path, L"another attachment has the same file name"};
    }
    QPDFEFStreamObjectHelper stream = QPDFEFStreamObjectHelper::createEFStream(document, bytes);
    stream.setModDate(ModificationDate(path));
    stream.setSubtype(MimeTypeOf(name));
    QPDFFileSpecObjectHelper fileSpec =
        QPDFFileSpecObjectHelper::createFileSpec(document, Utf8(name), stream);
    fileSpec.setFilename(Utf8(name), CompatibleFileName(name));
    if (associated) {
      fileSpec.getObjectHandle().replaceKey("/AFRelationship", QPDFObjectHandle::newName("/Data"));
      root.getKey("/AF").appendItem(fileSpec.getObjectHandle());
    }
    files.replaceEmbeddedFile(Utf8(name), fileSpec);
  }
  // Readers open their list of attachments.
  if (!root.hasKey("/PageMode")) {
    root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseAttachments"));
  }
}
