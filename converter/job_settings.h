// The settings that a job uses, read from the settings component's files.
#pragma once

#include <optional>
#include <string>

#include "job_options.h"

struct JobSettings {
  SettingValues values;  // the regular settings with the run-once settings over them
  // The run-once file that this job claimed (only this job reads it); removed when the job ends.
  std::optional<std::wstring> claimedRunOnceFile;
};

// For each of the two files, the settings of the printer instance named like
// `printerName` when it has any, else those of the default instance. The
// run-once file used is claimed for this job; a printer's own run-once file
// without job settings is given back. Raises the settings component's
// automation error when the files cannot be used (a data folder that cannot be
// created, a run-once file that cannot be claimed, say).
JobSettings ReadJobSettings(const std::wstring& printerName);
// Removes the run-once file that a job claimed. Raises error 75 when it cannot
// be deleted.
void RemoveRunOnceSettings(const std::wstring& claimedFile);
// Puts `values` into the regular settings of the printer instance named like
// `printerName` (the default instance for an empty name), never into its
// run-once settings. An instance without regular settings of its own starts
// from the default instance's, which its jobs used until then. Raises the
// settings component's automation error when the file cannot be written.
void KeepRegularSettings(const std::wstring& printerName, const SettingValues& values);
