// The settings that a job uses, read through the settings component.
#pragma once

#include <string>

struct JobSettings {
  std::wstring output;  // the PDF to write; empty: ask the user
};

// The regular settings with the run-once settings over them. Raises an
// automation error when the settings component cannot be used.
JobSettings ReadJobSettings();
// Removes the run-once settings, which belong to the job that used them.
void RemoveRunOnceSettings();
