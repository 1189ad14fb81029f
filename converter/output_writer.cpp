#include "output_writer.h"

#include <windows.h>

#include <optional>

#include "conversion_turns.h"
#include "existing_output.h"
#include "file_system.h"
#include "ghostscript.h"
#include "job_failure.h"
#include "output_placement.h"
#include "partial_files.h"
#include "pdf_steps.h"
#include "target_lock.h"
#include "unique_resource.h"
#include "work_files.h"

namespace {

unsigned long long HeldFileDeadline() { return GetTickCount64() + kHeldFileWaitMs; }

// The one Ghostscript run of a job, in its turn (conversion_turns.h): the
// turn is taken right around the run and given back when it returns. A job
// holds a turn only while Ghostscript runs, never while it waits for a
// target's lock, so a lock holder waiting for a turn always sees the turns
// come free.
RunResult RunGhostscriptInTurn(const GhostscriptProgram& ghostscript,
                               const std::vector<std::wstring>& arguments, ConverterLog& log,
                               const RunWatch& watch) {
  const ConversionTurn turn;
  if (!turn.Problem().empty()) {
    log.Write(L"Turn", turn.Problem() + (turn.Held() ? L"; its turn came out of order"
                                                     : L"; converted without a turn"));
  }
  return RunGhostscript(ghostscript, arguments, kConversionTimeoutMs, &watch);
}

// The existing target, when the job's pages go after its own: only when it is
// there and may take them (see append_rule.h); else the job is saved as a
// numbered one, and the log says why. The file stays open, shared for reading
// only, until its pages have been read.
UniqueFileHandle ExistingToAppendTo(const std::wstring& target, ConverterLog& log) {
  if (!IsFile(target)) return {};
  WaitWhileHeld(target, HeldFileDeadline());
  ExistingToAppend existing = OpenToAppend(target);
  if (existing.whyNot) {
    log.Write(L"Append",
              L"not to " + target + L": " + *existing.whyNot + L"; saved under a new number");
  }
  return std::move(existing.file);
}

}  // namespace

std::vector<std::wstring> WriteOutput(const std::wstring& spoolFile, const std::wstring& sessionId,
                                      const JobOptions& options, const OutputTarget& target,
                                      ConverterLog& log, const RunWatch& watch) {
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
  if (target.existing != ExistingFile::kNumber && IsFolder(target.path)) {
    throw JobFailure{L"A folder is in the way of the output file " + target.path + L"."};
  }
  const bool onePerPage = options.format->onePerPage;
  // An append holds the target from reading it; the other rules only while
  // their files go in, so that their conversions run side by side.
  std::optional<TargetLock> lock;
  UniqueFileHandle existingFile;
  if (target.existing == ExistingFile::kAppend) {
    lock.emplace(target.path);
    existingFile = ExistingToAppendTo(target.path, log);
  }
  const bool appending = static_cast<bool>(existingFile);
  // Ghostscript writes into the user's own work area; only files the job
  // makes itself go beside the target.
  const std::wstring workArea = FolderOf(spoolFile);
  SweepWorkArea(workArea);
  WorkFiles work(workArea, SplitExtension(target.path).extension, onePerPage);
  // A path without one as the program reads it is never handed on as it is
  // (a host program would take it for a relative name of its own).
  const auto forProgram = [&](const std::wstring& path) {
    if (std::optional<std::wstring> programPath = PathForGhostscript(*ghostscript, path))
      return *programPath;
    throw JobFailure{L"The path cannot be handed to Ghostscript: " + path};
  };
  // Ghostscript renders the new job only; the PDF steps add the existing pages.
  const std::wstring existing = appending ? target.path : std::wstring();
  const bool pdfSteps = HasPdfSteps(options, existing);
  GhostscriptJob run{{}, {}, options.format, options.resolution, options.quality, options.info};
  run.embedsFiles = !options.pdf.attachments.empty();
  run.inputs.push_back(forProgram(spoolFile));
  run.outputFile = onePerPage ? GhostscriptPagePattern(forProgram(work.First()), work.Extension())
                              : GhostscriptOutputPath(forProgram(work.First()));
  const RunResult result =
      RunGhostscriptInTurn(*ghostscript, GhostscriptArguments(run), log, watch);
  const std::vector<std::wstring> pages = work.Present();
  if (result.cancelled) throw JobCancelled{};
  if (!result.finished) throw JobFailure{result.failure};
  if (result.exitCode != 0) {
    throw JobFailure{L"Ghostscript could not convert " + spoolFile + L" (exit code " +
                     std::to_wstring(result.exitCode) + L")."};
  }
  if (pages.empty()) {
    throw JobFailure{L"Ghostscript's result is missing from " + workArea +
                     L" (was the folder removed?)."};
  }
  PartialFiles partial(target.path, sessionId);
  if (pdfSteps) {
    const HANDLE output = partial.Create();
    RunPdfSteps(options, {pages.front(), partial.LastName(), output, existing,
                          appending ? existingFile.get() : nullptr});
  } else {
    for (const std::wstring& page : pages) partial.CopyIn(page);
  }
  partial.Close();
  existingFile.reset();
  const std::vector<std::wstring>& files = partial.Names();
  // The last moment to cancel: after it, the files go in.
  if (watch.Cancelled()) throw JobCancelled{};
  if (target.existing == ExistingFile::kOverwrite || appending) {
    if (!lock) lock.emplace(target.path);
    return PlaceReplacing(files, target.path, onePerPage, HeldFileDeadline());
  }
  // Renames that never replace anything need no lock: a numbered job takes
  // none (an append saved under a new number still holds its own).
  return PlaceUnderFreeName(files, target.path, onePerPage);
}
