// Writing a job's result with Ghostscript: into files beside the target that
// are renamed into place, so that no reader ever sees a partial file and an
// existing PDF is replaced only by its whole successor.
#pragma once

#include <string>
#include <vector>

#include "job_options.h"
#include "output_target.h"

// Converts `spoolFile` (the job's PostScript); the files in the target's
// folder are named after `sessionId` until they are complete. Returns the files
// written (several with one file per page). Raises JobFailure.
std::vector<std::wstring> WriteOutput(const std::wstring& spoolFile, const std::wstring& sessionId,
                                      const JobOptions& options, const OutputTarget& target);
