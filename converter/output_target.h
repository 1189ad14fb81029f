// Where a job's result goes: the file its options name (given by the settings
// or chosen in the job window); else (nobody can be asked, see
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

// Raises JobFailure when the Documents folder cannot be found or made.
OutputTarget ChooseOutput(const JobOptions& options, const TemplateValues& names);

// The user's Documents folder, made when missing; empty, with `problem` set,
// when there is none (also when the user's profile is not loaded).
std::wstring UsersDocumentsFolder(std::wstring& problem);
