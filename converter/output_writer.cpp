#include "output_writer.h"

#include <windows.h>

#include "file_system.h"
#include "ghostscript.h"
#include "job_failure.h"

namespace {

constexpr unsigned long kConversionTimeoutMs = 10 * 60 * 1000;

// The files that a run wrote before they are renamed into place.
class PartialFiles {
 public:
  PartialFiles(const OutputTarget& target, const std::wstring& sessionId, bool onePerPage)
      : final_(SplitExtension(target.path)),
        partial_{final_.stem + L"." + sessionId + L".part", final_.extension},
        onePerPage_(onePerPage) {}
  ~PartialFiles() {
    for (const std::wstring& file : Present()) DeleteFileW(file.c_str());
  }
  PartialFiles(const PartialFiles&) = delete;
  PartialFiles& operator=(const PartialFiles&) = delete;

  // The single file, or the first page's file.
  std::wstring First() const {
    return onePerPage_ ? PagePath(partial_, 1) : partial_.stem + partial_.extension;
  }
  const std::wstring& Extension() const { return partial_.extension; }

  std::vector<std::wstring> Present() const {
    std::vector<std::wstring> files;
    if (!onePerPage_) {
      if (IsFile(First())) files.push_back(First());
      return files;
    }
    for (unsigned page = 1; IsFile(PagePath(partial_, page)); ++page) {
      files.push_back(PagePath(partial_, page));
    }
    return files;
  }

  // Renames the files into place: one file (or one page) under the target's
  // name, several pages as "name-1", "name-2", ...
  std::vector<std::wstring> MoveIntoPlace() {
    const std::vector<std::wstring> files = Present();
    std::vector<std::wstring> placed;
    for (std::size_t i = 0; i < files.size(); ++i) {
      const std::wstring target = files.size() == 1
                                      ? final_.stem + final_.extension
                                      : PagePath(final_, static_cast<unsigned>(i + 1));
      if (!MoveFileExW(files[i].c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        throw JobFailure{L"The result could not be written to " + target + L" (error " +
                         std::to_wstring(error) + L")."};
      }
      placed.push_back(target);
    }
    return placed;
  }

 private:
  PathParts final_;
  PathParts partial_;
  bool onePerPage_;
};

}  // namespace

std::vector<std::wstring> WriteOutput(const std::wstring& spoolFile, const std::wstring& sessionId,
                                      const JobOptions& options, const OutputTarget& target) {
  const std::optional<GhostscriptProgram> ghostscript = FindGhostscript();
  if (!ghostscript) {
    throw JobFailure{std::wstring(L"Ghostscript was not found: install it, or name ") +
                     kGhostscriptConsoleProgram + L" in the machine setting \"Ghostscript\"."};
  }
  if (!IsUsableOutputPath(spoolFile)) {
    throw JobFailure{L"The spool file name cannot be handed to Ghostscript: " + spoolFile};
  }
  if (const std::wstring folder = FolderOf(target.path); !folder.empty() && !IsFolder(folder)) {
    MkDirRecurse(folder);
  }
  const bool onePerPage = options.format->onePerPage;
  PartialFiles partial(target, sessionId, onePerPage);
  // A path without one as the program reads it is never handed on as it is
  // (a host program would take it for a relative name of its own).
  const auto forProgram = [&](const std::wstring& path) {
    if (std::optional<std::wstring> programPath = PathForGhostscript(*ghostscript, path))
      return *programPath;
    throw JobFailure{L"The path cannot be handed to Ghostscript: " + path};
  };
  GhostscriptJob run{{}, {}, options.format, options.resolution, options.quality, options.info};
  if (target.append) run.inputs.push_back(forProgram(target.path));
  run.inputs.push_back(forProgram(spoolFile));
  run.outputFile = onePerPage
                       ? GhostscriptPagePattern(forProgram(partial.First()), partial.Extension())
                       : GhostscriptOutputPath(forProgram(partial.First()));
  const RunResult result =
      RunGhostscript(*ghostscript, GhostscriptArguments(run), kConversionTimeoutMs);
  if (!result.finished || result.exitCode != 0 || partial.Present().empty()) {
    throw JobFailure{result.finished
                         ? L"Ghostscript could not convert " + spoolFile + L" (exit code " +
                               std::to_wstring(result.exitCode) + L")."
                         : result.failure};
  }
  return partial.MoveIntoPlace();
}
