#include "output_target.h"

#include <windows.h>
#include <commdlg.h>

#include "file_system.h"
#include "job_failure.h"
#include "on_demand_ui.h"
#include "system_library.h"
#include "system_message.h"

namespace {

constexpr unsigned kMostNumberedNames = 9999;

// A file of that name, or with one file per page that of its first page, exists.
bool Taken(const std::wstring& path, const OutputFormat& format) {
  if (IsFile(path) || IsFolder(path)) return true;
  return format.onePerPage && IsFile(PagePath(SplitExtension(path), 1));
}

OutputTarget ApplyExisting(const std::wstring& path, const JobOptions& options) {
  if (!Taken(path, *options.format)) return {path, false};
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
    if (!Taken(numbered, *options.format)) return {std::move(numbered), false};
  }
  throw JobFailure{L"No free numbered name is left for " + path + L"."};
}

// The Save As dialog; empty when the user cancels.
std::wstring AskForOutput(const JobOptions& options, const TemplateValues& names) {
  const OutputFormat& format = *options.format;
  std::wstring buffer = ExpandFileNameTemplate(L"<title>", names).value_or(L"document");
  buffer += format.extension;
  buffer.resize(32768, L'\0');
  const std::wstring defaultExtension(format.extension.substr(1));  // without its dot
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.lpstrFilter = format.saveAsFilter;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrDefExt = defaultExtension.c_str();
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
  const std::wstring chosen = AskForOutput(options, names);
  if (chosen.empty()) return std::nullopt;
  if (!IsUsableOutputPath(chosen)) {
    throw JobFailure{L"The chosen file " + chosen + L" cannot be written: it must be " +
                     kUsablePathText + L"."};
  }
  return ApplyExisting(chosen, options);
}
