// The pure rules of ghostscript.h: release order, arguments, output names.
#include "ghostscript.h"

#include "page_report.h"

#include <cstddef>

namespace {

// The next dot-separated part of `text` from `position`, which moves past it.
std::wstring_view NextPart(std::wstring_view text, std::size_t& position) {
  const std::size_t dot = text.find(L'.', position);
  const std::size_t end = dot == std::wstring_view::npos ? text.size() : dot;
  const std::wstring_view part = text.substr(position, end - position);
  position = end == text.size() ? end : end + 1;
  return part;
}

bool IsNumber(std::wstring_view part) {
  if (part.empty()) return false;
  for (const wchar_t c : part) {
    if (c < L'0' || c > L'9') return false;
  }
  return true;
}

// <0, 0 or >0 as `a` is an earlier, the same or a later part than `b`.
int CompareParts(std::wstring_view a, std::wstring_view b) {
  if (IsNumber(a) && IsNumber(b)) {
    while (a.size() > 1 && a.front() == L'0') a.remove_prefix(1);
    while (b.size() > 1 && b.front() == L'0') b.remove_prefix(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  }
  return a.compare(b);
}

std::wstring DocumentInfoMark(const DocumentInfo& info) {
  std::wstring mark = L"[ /Title " + PdfTextString(info.title);
  if (!info.author.empty()) mark += L" /Author " + PdfTextString(info.author);
  if (!info.subject.empty()) mark += L" /Subject " + PdfTextString(info.subject);
  if (!info.keywords.empty()) mark += L" /Keywords " + PdfTextString(info.keywords);
  return mark + L" /DOCINFO pdfmark";
}

// The device and its settings: the preset of a PDF; the resolution and
// anti-aliased text and graphics of an image.
void AddDevice(const GhostscriptJob& job, std::vector<std::wstring>& arguments) {
  const OutputFormat& format = *job.format;
  arguments.push_back(L"-sDEVICE=" + std::wstring(format.device));
  if (format.isPdf && !job.quality.empty()) arguments.push_back(L"-dPDFSETTINGS=/" + job.quality);
  for (const std::wstring_view argument : format.deviceArguments) {
    const bool pdfaPart = argument.starts_with(L"-dPDFA=");
    arguments.emplace_back(pdfaPart && job.embedsFiles ? L"-dPDFA=3" : argument);
  }
  if (format.isPdf) return;
  arguments.insert(arguments.end(), {L"-r" + std::to_wstring(job.resolution), L"-dTextAlphaBits=4",
                                     L"-dGraphicsAlphaBits=4"});
}

}  // namespace

bool IsLaterRelease(std::wstring_view candidate, std::wstring_view current) {
  std::size_t atCandidate = 0;
  std::size_t atCurrent = 0;
  while (atCandidate < candidate.size() || atCurrent < current.size()) {
    const int order = CompareParts(NextPart(candidate, atCandidate), NextPart(current, atCurrent));
    if (order != 0) return order > 0;
  }
  return false;
}

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
  arguments.insert(arguments.end(), {L"-c", kPageReportCode});
  if (!job.format->prologue.empty()) {
    arguments.insert(arguments.end(), {L"-c", std::wstring(job.format->prologue)});
  }
  arguments.push_back(L"-f");
  arguments.insert(arguments.end(), job.inputs.begin(), job.inputs.end());
  if (job.format->isPdf) arguments.insert(arguments.end(), {L"-c", DocumentInfoMark(job.info)});
  return arguments;
}

std::wstring GhostscriptOutputPath(std::wstring_view path) {
  std::wstring text;
  text.reserve(path.size());
  for (wchar_t c : path) {
    text.push_back(c);
    if (c == L'%') text.push_back(L'%');
  }
  return text;
}

std::wstring GhostscriptPagePattern(std::wstring_view firstPagePath, std::wstring_view extension) {
  const std::size_t suffix = 2 + extension.size();  // "-1" and the extension
  if (firstPagePath.size() < suffix) return GhostscriptOutputPath(firstPagePath);
  return GhostscriptOutputPath(firstPagePath.substr(0, firstPagePath.size() - suffix)) + L"-%d" +
         GhostscriptOutputPath(extension);
}
