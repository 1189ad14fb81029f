#include "ghostscript_command.h"

namespace {

// The sRGB output intent of PDF/A, from the ICC profile that comes with
// Ghostscript (in its ROM file system on Windows, a folder elsewhere).
const wchar_t kPdfAOutputIntent[] =
    L"[/_objdef {icc_PDFA} /type /stream /OBJ pdfmark "
    L"[{icc_PDFA} <</N 3>> /PUT pdfmark "
    L"[{icc_PDFA} currentuserparams /ICCProfilesDir get (srgb.icc) concatstrings (r) file "
    L"/PUT pdfmark "
    L"[/_objdef {OutputIntent_PDFA} /type /dict /OBJ pdfmark "
    L"[{OutputIntent_PDFA} <</Type /OutputIntent /S /GTS_PDFA1 /DestOutputProfile {icc_PDFA} "
    L"/OutputConditionIdentifier (sRGB) /Info (sRGB IEC61966-2.1)>> /PUT pdfmark "
    L"[{Catalog} <</OutputIntents [ {OutputIntent_PDFA} ]>> /PUT pdfmark";

std::wstring DocumentInfoMark(const DocumentInfo& info) {
  std::wstring mark = L"[ /Title " + PdfTextString(info.title);
  if (!info.author.empty()) mark += L" /Author " + PdfTextString(info.author);
  if (!info.subject.empty()) mark += L" /Subject " + PdfTextString(info.subject);
  if (!info.keywords.empty()) mark += L" /Keywords " + PdfTextString(info.keywords);
  return mark + L" /DOCINFO pdfmark";
}

void AddDevice(const GhostscriptJob& job, std::vector<std::wstring>& arguments) {
  const std::wstring dpi = L"-r" + std::to_wstring(job.resolution);
  switch (job.format) {
    case OutputFormat::kPdf:
    case OutputFormat::kPdfA:
      arguments.push_back(L"-sDEVICE=pdfwrite");
      if (!job.quality.empty()) arguments.push_back(L"-dPDFSETTINGS=/" + job.quality);
      if (job.format == OutputFormat::kPdfA) {
        arguments.insert(arguments.end(), {L"-dPDFA=2", L"-dPDFACompatibilityPolicy=1",
                                           L"-sColorConversionStrategy=RGB"});
      }
      return;
    case OutputFormat::kPng:
      arguments.insert(arguments.end(), {L"-sDEVICE=png16m", dpi});
      break;
    case OutputFormat::kJpeg:
      arguments.insert(arguments.end(), {L"-sDEVICE=jpeg", L"-dJPEGQ=90", dpi});
      break;
    case OutputFormat::kTiff:
      arguments.insert(arguments.end(), {L"-sDEVICE=tiff24nc", L"-sCompression=lzw", dpi});
      break;
  }
  arguments.insert(arguments.end(), {L"-dTextAlphaBits=4", L"-dGraphicsAlphaBits=4"});
}

}  // namespace

std::wstring PdfTextString(const std::wstring& text) {
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring hex = L"<FEFF";
  for (wchar_t unit : text) {
    for (int shift = 12; shift >= 0; shift -= 4) hex.push_back(kHex[(unit >> shift) & 0xF]);
  }
  hex.push_back(L'>');
  return hex;
}

std::vector<std::wstring> GhostscriptArguments(const GhostscriptJob& job) {
  std::vector<std::wstring> arguments = {L"-q", L"-dNOPAUSE", L"-dBATCH", L"-dSAFER"};
  AddDevice(job, arguments);
  arguments.push_back(L"-sOutputFile=" + job.outputFile);
  if (job.format == OutputFormat::kPdfA)
    arguments.insert(arguments.end(), {L"-c", kPdfAOutputIntent});
  arguments.push_back(L"-f");
  arguments.insert(arguments.end(), job.inputs.begin(), job.inputs.end());
  if (job.format == OutputFormat::kPdf || job.format == OutputFormat::kPdfA) {
    arguments.insert(arguments.end(), {L"-c", DocumentInfoMark(job.info)});
  }
  return arguments;
}
