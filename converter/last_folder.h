// The folder a user last saved into from the job window of a printer: in the
// user's registry, "HKEY_CURRENT_USER\Software\Quillmar\PDF Writer\Job window",
// one text value per printer named like it (the default value for a job
// without a printer name).
#pragma once

#include <string>

// Empty when none is remembered.
std::wstring LastFolder(const std::wstring& printerName);
// Best effort: false when it cannot be written.
bool RememberLastFolder(const std::wstring& printerName, const std::wstring& folder);
