// The settings that a job uses, read from the settings component's files.
#pragma once

#include <string>

#include "job_options.h"

struct JobSettings {
  SettingValues values;          // the regular settings with the run-once settings over them
  std::wstring runOnceInstance;  // the printer instance whose run-once settings were read
};

// For each of the two files, the settings of the printer instance named like
// `printerName` when it has any, else those of the default instance. Raises the
// settings component's automation error when the files cannot be used (a data
// folder that cannot be created, say).
JobSettings ReadJobSettings(const std::wstring& printerName);
// Removes the run-once settings of `instance`, which belong to the job that
// used them. Raises error 75 when the file cannot be deleted; false when some
// of them are still there afterwards all the same.
bool RemoveRunOnceSettings(const std::wstring& instance);
// Puts `values` into the regular settings of the printer instance named like
// `printerName` (the default instance for an empty name), never into its
// run-once settings. An instance without regular settings of its own starts
// from the default instance's, which its jobs used until then. Raises the
// settings component's automation error when the file cannot be written.
void KeepRegularSettings(const std::wstring& printerName, const SettingValues& values);
