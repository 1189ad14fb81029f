// Writing a job's result with Ghostscript into files of its own in the user's
// work area (work_files.h), then into files the job makes beside the target
// (partial_files.h; through the PDF steps, or copied), then putting them in place by the rule for
// an existing file, one job at a time per target (target_lock.h):
// - overwrite: the new file replaces the old in one rename (last wins);
// - number: the first free name of the series, claimed by a rename that never
//   replaces;
// - append: the lock is held from reading the existing PDF until its
//   successor, with the old pages and the new, has replaced it.
#pragma once

#include <string>
#include <vector>

#include "converter_log.h"
#include "job_options.h"
#include "output_target.h"
#include "program_runner.h"

// Converts `spoolFile` (the job's PostScript); Ghostscript writes into the
// spool file's folder, and the files beside the target are named after
// `sessionId` until they are in place. Returns the files written
// (several with one file per page). Writes to `log` why an existing file was
// not appended to. `watch` sees Ghostscript's output and may cancel the job
// until its files are placed. Raises JobFailure, or JobCancelled when cancelled.
std::vector<std::wstring> WriteOutput(const std::wstring& spoolFile, const std::wstring& sessionId,
                                      const JobOptions& options, const OutputTarget& target,
                                      ConverterLog& log, const RunWatch& watch);
