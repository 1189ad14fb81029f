#include "job_settings.h"

#include "printer_settings.h"
#include "run_once_claim.h"

// The settings files are read with the settings component's own code, linked
// into the converter, not through its COM class: the same files, names and
// rules, without a COM apartment and the automation libraries, which under
// Wine made up a third of every job's start.

namespace {

// The job's settings that `valueOf` gives; unset ones are left out.
template <typename ValueOf>
SettingValues JobValues(const ValueOf& valueOf) {
  SettingValues values;
  for (const std::wstring& name : JobSettingNames()) {
    std::wstring value = valueOf(name);
    if (!value.empty()) values.emplace(name, std::move(value));
  }
  return values;
}

// The job's settings in a settings section (null: none).
SettingValues JobValues(const DictionaryPtr& section) {
  return JobValues([&](const std::wstring& name) {
    const Dictionary::Value* found = section ? section->Find(name) : nullptr;
    return found ? ToText(*found) : std::wstring();
  });
}

// The job's settings in the regular file of the selected instance.
SettingValues LoadRegular(PrinterSettings& settings) {
  settings.LoadSettings(false);
  return JobValues([&](const std::wstring& name) { return settings.GetValue(name); });
}

// The printer's own regular settings when it has any, else the default instance's.
SettingValues LoadRegularForPrinter(const std::wstring& printerName) {
  PrinterSettings settings;
  if (!printerName.empty()) {
    settings.SetPrinterInstance(printerName);
    if (SettingValues own = LoadRegular(settings); !own.empty()) return own;
    settings.SetPrinterInstance(L"");
  }
  return LoadRegular(settings);
}

// The printer's own run-once file when it holds job settings, else the default
// instance's, claimed for this job.
std::optional<RunOnceClaim> ClaimRunOnceForPrinter(const std::wstring& printerName) {
  if (!printerName.empty()) {
    if (std::optional<RunOnceClaim> own = ClaimRunOnceSettings(printerName)) {
      if (!JobValues(own->settings).empty()) return own;
      ReturnRunOnceSettings(*own, printerName);
    }
  }
  return ClaimRunOnceSettings(L"");
}

}  // namespace

JobSettings ReadJobSettings(const std::wstring& printerName) {
  JobSettings job;
  job.values = LoadRegularForPrinter(printerName);
  if (const std::optional<RunOnceClaim> claim = ClaimRunOnceForPrinter(printerName)) {
    job.claimedRunOnceFile = claim->file;
    for (auto& [name, value] : JobValues(claim->settings)) job.values[name] = std::move(value);
  }
  return job;
}

void RemoveRunOnceSettings(const std::wstring& claimedFile) { RemoveClaimedSettings(claimedFile); }

void KeepRegularSettings(const std::wstring& printerName, const SettingValues& values) {
  PrinterSettings settings;
  settings.SetPrinterInstance(printerName);
  if (!printerName.empty() && LoadRegular(settings).empty()) {
    PrinterSettings defaults;
    for (const auto& [name, value] : LoadRegular(defaults)) settings.SetValue(name, value);
  }
  for (const auto& [name, value] : values) settings.SetValue(name, value);
  settings.WriteSettings(false);
}
