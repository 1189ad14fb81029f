#include "job_settings.h"

#include "printer_settings.h"

// The settings files are read with the settings component's own code, linked
// into the converter, not through its COM class: the same files, names and
// rules, without a COM apartment and the automation libraries, which under
// Wine made up a third of every job's start.

namespace {

// The job's settings in one of the selected instance's files; unset ones are left out.
SettingValues Load(PrinterSettings& settings, bool isRunOnce) {
  settings.LoadSettings(isRunOnce);
  SettingValues values;
  for (const std::wstring& name : JobSettingNames()) {
    std::wstring value = settings.GetValue(name);
    if (!value.empty()) values.emplace(name, std::move(value));
  }
  return values;
}

// The printer's own settings when it has any, else the default instance's.
SettingValues LoadForPrinter(PrinterSettings& settings, const std::wstring& printerName,
                             bool isRunOnce, std::wstring& instanceUsed) {
  if (!printerName.empty()) {
    settings.SetPrinterInstance(printerName);
    if (SettingValues own = Load(settings, isRunOnce); !own.empty()) {
      instanceUsed = printerName;
      return own;
    }
    settings.SetPrinterInstance(L"");
  }
  instanceUsed.clear();
  return Load(settings, isRunOnce);
}

}  // namespace

JobSettings ReadJobSettings(const std::wstring& printerName) {
  PrinterSettings settings;
  JobSettings job;
  std::wstring regularInstance;
  job.values = LoadForPrinter(settings, printerName, false, regularInstance);
  for (auto& [name, value] : LoadForPrinter(settings, printerName, true, job.runOnceInstance)) {
    job.values[name] = std::move(value);
  }
  return job;
}

bool RemoveRunOnceSettings(const std::wstring& instance) {
  PrinterSettings settings;
  settings.SetPrinterInstance(instance);
  settings.RemoveSettings(true);
  return Load(settings, true).empty();
}

void KeepRegularSettings(const std::wstring& printerName, const SettingValues& values) {
  PrinterSettings settings;
  settings.SetPrinterInstance(printerName);
  if (!printerName.empty() && Load(settings, false).empty()) {
    PrinterSettings defaults;
    for (const auto& [name, value] : Load(defaults, false)) settings.SetValue(name, value);
  }
  for (const auto& [name, value] : values) settings.SetValue(name, value);
  settings.WriteSettings(false);
}
