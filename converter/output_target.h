// Where a job's result goes: the file its options name, else the user's
// choice in the Save As dialog; then what happens when that file exists.
#pragma once

#include <optional>
#include <string>

#include "job_options.h"
#include "output_name.h"

struct OutputTarget {
  std::wstring path;    // the file (with one file per page: the name the pages are numbered from)
  bool append = false;  // add the pages after those of the existing PDF
};

// Nothing when the user cancels the Save As dialog, whose suggestion is the
// document's name. Raises JobFailure for an unusable choice or when no free
// name is left.
std::optional<OutputTarget> ChooseOutput(const JobOptions& options, const TemplateValues& names);
