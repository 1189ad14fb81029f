// Where a job's result goes: the file its options name; else, when a user can
// see the Save As dialog, the file chosen there; else (nobody can answer, see
// unattended_job.h) the user's Documents folder.
#pragma once

#include <optional>
#include <string>

#include "job_options.h"
#include "output_name.h"

struct OutputTarget {
  std::wstring path;  // the file (with one file per page: the name the pages are numbered from)
  ExistingFile existing = ExistingFile::kOverwrite;  // what happens when it is there already
};

// Nothing when the user cancels the Save As dialog, whose suggestion is the
// document's name. Raises JobFailure for an unusable choice, or when nobody can
// be asked and the Documents folder cannot be found or made.
std::optional<OutputTarget> ChooseOutput(const JobOptions& options, const TemplateValues& names);
