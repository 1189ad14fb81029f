#include "output_target.h"

#include <windows.h>
#include <commdlg.h>

#include "environment_text.h"
#include "file_system.h"
#include "job_failure.h"
#include "on_demand_ui.h"
#include "path_names.h"
#include "system_library.h"
#include "system_message.h"

namespace {

constexpr unsigned kMostNumberedNames = 9999;

// A file of that name, or with one file per page that of its first page, exists.
bool Taken(const std::wstring& path, OutputFormat format) {
  if (IsFile(path) || IsFolder(path)) return true;
  return OneFilePerPage(format) && IsFile(PagePath(SplitExtension(path), 1));
}

OutputTarget ApplyExisting(const std::wstring& path, const JobOptions& options) {
  if (!Taken(path, options.format)) return {path, false};
  if (IsFolder(path)) throw JobFailure{L"A folder is in the way of the output file " + path + L"."};
  switch (options.existing) {
    case ExistingFile::kOverwrite:
      return {path, false};
    case ExistingFile::kAppend:
      return {path, true};
    case ExistingFile::kNumber:
      break;
  }
  const PathParts parts = SplitExtension(path);
  for (unsigned n = 2; n <= kMostNumberedNames; ++n) {
    std::wstring numbered = NumberedPath(parts, n);
    if (!Taken(numbered, options.format)) return {std::move(numbered), false};
  }
  throw JobFailure{L"No free numbered name is left for " + path + L"."};
}

struct FormatFilter {
  const wchar_t* filter;  // description and pattern pairs, each ended by a null
  const wchar_t* extension;
};

FormatFilter FilterOf(OutputFormat format) {
  switch (format) {
    case OutputFormat::kPng:
      return {L"PNG images (*.png)\0*.png\0All files (*.*)\0*.*\0", L"png"};
    case OutputFormat::kJpeg:
      return {L"JPEG images (*.jpg)\0*.jpg;*.jpeg\0All files (*.*)\0*.*\0", L"jpg"};
    case OutputFormat::kTiff:
      return {L"TIFF images (*.tif)\0*.tif;*.tiff\0All files (*.*)\0*.*\0", L"tif"};
    default:
      return {L"PDF documents (*.pdf)\0*.pdf\0All files (*.*)\0*.*\0", L"pdf"};
  }
}

// The Save As dialog; empty when the user cancels.
std::wstring AskForOutput(const JobOptions& options, const TemplateValues& names) {
  std::wstring suggested = ExpandFileNameTemplate(L"<title>", names).value_or(L"document");
  suggested += FileExtension(options.format);
  std::wstring buffer = suggested;
  buffer.resize(32768, L'\0');
  const FormatFilter filter = FilterOf(options.format);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.lpstrFilter = filter.filter;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrDefExt = filter.extension;
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  // Numbering and appending decide themselves what happens to an existing file.
  if (options.existing == ExistingFile::kOverwrite) dialog.Flags |= OFN_OVERWRITEPROMPT;
  ShellApartment apartment;
  const auto getSaveFileName =
      SystemExport<decltype(&GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
  if (!getSaveFileName)
    throw JobFailure{L"The Save As dialog is not available: " + SystemMessage(GetLastError())};
  if (!getSaveFileName(&dialog)) return {};
  return std::wstring(buffer.c_str());
}

}  // namespace

std::optional<OutputTarget> ChooseOutput(const JobOptions& options, const TemplateValues& names) {
  if (!options.output.empty()) return ApplyExisting(options.output, options);
  if (!options.outputFolder.empty()) {
    const std::wstring folder = StripTrailingBackslashes(
        ExpandEnvironmentReferences(options.outputFolder).value_or(options.outputFolder));
    const std::optional<std::wstring> name =
        ExpandFileNameTemplate(options.fileNameTemplate, names);
    if (!name) {
      throw SettingFailure{L"filename", options.fileNameTemplate,
                           L"a template that gives a valid file name, of text and the tokens "
                           L"<title>, <printer>, <user>, <date>, <time> and <session>"};
    }
    const std::wstring path = folder + L"\\" + *name + FileExtension(options.format);
    if (!IsUsableOutputPath(path)) {
      throw SettingFailure{L"outputfolder", options.outputFolder, kUsablePathText};
    }
    return ApplyExisting(path, options);
  }
  const std::wstring chosen = AskForOutput(options, names);
  if (chosen.empty()) return std::nullopt;
  if (!IsUsableOutputPath(chosen)) {
    throw JobFailure{L"The chosen file " + chosen + L" cannot be written: it must be " +
                     kUsablePathText + L"."};
  }
  return ApplyExisting(chosen, options);
}
