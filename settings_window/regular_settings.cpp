#include "regular_settings.h"

#include "printer_settings.h"

namespace {

constexpr bool kRegular = false;  // isRunOnce

}  // namespace

SettingValues LoadRegularSettings(const std::wstring& instance,
                                  const std::vector<std::wstring>& names) {
  PrinterSettings settings;
  settings.SetPrinterInstance(instance);
  settings.LoadSettings(kRegular);
  SettingValues values;
  for (const std::wstring& name : names) {
    std::wstring value = settings.GetValue(name);
    if (!value.empty()) values.emplace(name, std::move(value));
  }
  return values;
}

void WriteRegularSettings(const std::wstring& instance, const SettingValues& changes) {
  PrinterSettings settings;
  settings.SetPrinterInstance(instance);
  settings.LoadSettings(kRegular);
  for (const auto& [name, value] : changes) settings.SetValue(name, value);
  settings.WriteSettings(kRegular);
}

void RemoveRegularSettings(const std::wstring& instance) {
  PrinterSettings settings;
  settings.SetPrinterInstance(instance);
  settings.RemoveSettings(kRegular);
}
