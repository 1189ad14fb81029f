// The settings that a job uses, read through the settings component.
#pragma once

#include <string>

#include "job_options.h"

struct JobSettings {
  SettingValues values;          // the regular settings with the run-once settings over them
  std::wstring runOnceInstance;  // the printer instance whose run-once settings were read
};

// For each of the two files, the settings of the printer instance named like
// `printerName` when it has any, else those of the default instance. Raises an
// automation error when the settings component cannot be used.
JobSettings ReadJobSettings(const std::wstring& printerName);
// Removes the run-once settings of `instance`, which belong to the job that
// used them. False when some of them are still there afterwards (the
// component ignores a file it cannot delete).
bool RemoveRunOnceSettings(const std::wstring& instance);
