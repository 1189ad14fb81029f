// Writing a job's result with Ghostscript: into files beside the target that
// are renamed into place, so that no reader ever sees a partial file and an
// existing PDF is replaced only by its whole successor.
#pragma once

#include <string>
#include <vector>

#include "command_line_reader.h"
#include "job_options.h"
#include "output_target.h"

// The files written (several with one file per page). Raises JobFailure.
std::vector<std::wstring> WriteOutput(const JobRequest& job, const JobOptions& options,
                                      const OutputTarget& target);
