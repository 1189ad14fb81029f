// The job window: a dialog in which the user chooses the file name, folder,
// format, document information, passwords and permissions of one job. It is
// only another source of job settings; the conversion does not know it.
#pragma once

#include <optional>
#include <string>

#include "form_values.h"
#include "job_options.h"

struct JobWindowChoice {
  JobOptions options;           // read from the settings with the window's values over them
  FormValues form;              // as the window showed it when Save was pressed
  bool keepForPrinter = false;  // "Use these settings for every job of this printer"
  std::wstring folder;          // the folder as typed
};

// Shows the job window for a job with `settings` and `facts`, in `folder`
// unless a setting names one. Nothing when the user cancels. Raises JobFailure
// when the window cannot be shown.
std::optional<JobWindowChoice> AskInJobWindow(const SettingValues& settings, const JobFacts& facts,
                                              const std::wstring& folder);
