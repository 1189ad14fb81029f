#include "output_format.h"

#include <algorithm>

#include "equals_no_case.h"

namespace {

constexpr wchar_t kPdfFilter[] = L"PDF documents (*.pdf)\0*.pdf\0All files (*.*)\0*.*\0";

// The sRGB output intent of PDF/A, from the ICC profile that comes with
// Ghostscript (in its ROM file system on Windows, a folder elsewhere).
constexpr wchar_t kPdfAOutputIntent[] =
    L"[/_objdef {icc_PDFA} /type /stream /OBJ pdfmark "
    L"[{icc_PDFA} <</N 3>> /PUT pdfmark "
    L"[{icc_PDFA} currentuserparams /ICCProfilesDir get (srgb.icc) concatstrings (r) file "
    L"/PUT pdfmark "
    L"[/_objdef {OutputIntent_PDFA} /type /dict /OBJ pdfmark "
    L"[{OutputIntent_PDFA} <</Type /OutputIntent /S /GTS_PDFA1 /DestOutputProfile {icc_PDFA} "
    L"/OutputConditionIdentifier (sRGB) /Info (sRGB IEC61966-2.1)>> /PUT pdfmark "
    L"[{Catalog} <</OutputIntents [ {OutputIntent_PDFA} ]>> /PUT pdfmark";

}  // namespace

std::span<const OutputFormat> OutputFormats() {
  static const OutputFormat kFormats[] = {
      {.word = L"pdf",
       .extension = L".pdf",
       .saveAsFilter = kPdfFilter,
       .onePerPage = false,
       .isPdf = true,
       .device = L"pdfwrite",
       .deviceArguments = {},
       .prologue = L""},
      // PDF/A-2b with an sRGB output intent.
      {.word = L"pdfa",
       .extension = L".pdf",
       .saveAsFilter = kPdfFilter,
       .onePerPage = false,
       .isPdf = true,
       .isArchival = true,
       .device = L"pdfwrite",
       .deviceArguments = {L"-dPDFA=2", L"-dPDFACompatibilityPolicy=1",
                           L"-sColorConversionStrategy=RGB"},
       .prologue = kPdfAOutputIntent},
      {.word = L"png",
       .extension = L".png",
       .saveAsFilter = L"PNG images (*.png)\0*.png\0All files (*.*)\0*.*\0",
       .onePerPage = true,
       .isPdf = false,
       .device = L"png16m",
       .deviceArguments = {},
       .prologue = L""},
      {.word = L"jpeg",
       .extension = L".jpg",
       .saveAsFilter = L"JPEG images (*.jpg)\0*.jpg;*.jpeg\0All files (*.*)\0*.*\0",
       .onePerPage = true,
       .isPdf = false,
       .device = L"jpeg",
       .deviceArguments = {L"-dJPEGQ=90"},
       .prologue = L""},
      // One multi-page file.
      {.word = L"tiff",
       .extension = L".tif",
       .saveAsFilter = L"TIFF images (*.tif)\0*.tif;*.tiff\0All files (*.*)\0*.*\0",
       .onePerPage = false,
       .isPdf = false,
       .device = L"tiff24nc",
       .deviceArguments = {L"-sCompression=lzw"},
       .prologue = L""},
  };
  return kFormats;
}

bool HasFormatExtension(std::wstring_view path, const OutputFormat& format) {
  const std::wstring_view filter(format.saveAsFilter);  // the description, up to its null
  std::wstring_view patterns(format.saveAsFilter + filter.size() + 1);
  const std::wstring_view name = path.substr(path.find_last_of(L"\\/") + 1);
  while (!patterns.empty()) {
    const std::size_t end = std::min(patterns.find(L';'), patterns.size());
    const std::wstring_view extension = patterns.substr(0, end).substr(1);  // without the "*"
    if (!extension.empty() && name.size() > extension.size() &&
        EqualsNoCase(name.substr(name.size() - extension.size()), extension)) {
      return true;
    }
    patterns.remove_prefix(std::min(end + 1, patterns.size()));
  }
  return false;
}
