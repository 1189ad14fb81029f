#include "job_settings.h"

#include "com_ptr.h"
#include "late_binding.h"
#include "object_factory.h"
#include "product_names.h"

namespace {

void SelectInstance(IDispatch& settings, const std::wstring& instance) {
  UniqueBstr name(SysAllocString(instance.c_str()));
  VARIANTARG argument = TextArgument(name.get());
  CallMethod(settings, L"SetPrinterInstance", std::span(&argument, 1));
}

// The job's settings in one of the selected instance's files; unset ones are left out.
SettingValues Load(IDispatch& settings, bool isRunOnce) {
  VARIANTARG which = BoolArgument(isRunOnce);
  CallMethod(settings, L"LoadSettings", std::span(&which, 1));
  SettingValues values;
  for (const wchar_t* name : JobSettingNames()) {
    UniqueBstr nameText(SysAllocString(name));
    VARIANTARG argument = TextArgument(nameText.get());
    std::wstring value = CallMethodForText(settings, L"GetValue", std::span(&argument, 1));
    if (!value.empty()) values.emplace(name, std::move(value));
  }
  return values;
}

// The printer's own settings when it has any, else the default instance's.
SettingValues LoadForPrinter(IDispatch& settings, const std::wstring& printerName, bool isRunOnce,
                             std::wstring& instanceUsed) {
  if (!printerName.empty()) {
    SelectInstance(settings, printerName);
    if (SettingValues own = Load(settings, isRunOnce); !own.empty()) {
      instanceUsed = printerName;
      return own;
    }
    SelectInstance(settings, L"");
  }
  instanceUsed.clear();
  return Load(settings, isRunOnce);
}

}  // namespace

JobSettings ReadJobSettings(const std::wstring& printerName) {
  ComPtr<IDispatch> settings = CreateObjectByProgID(product_names::kSettingsProgId);
  JobSettings job;
  std::wstring regularInstance;
  job.values = LoadForPrinter(*settings.get(), printerName, false, regularInstance);
  for (auto& [name, value] :
       LoadForPrinter(*settings.get(), printerName, true, job.runOnceInstance)) {
    job.values[name] = std::move(value);
  }
  return job;
}

bool RemoveRunOnceSettings(const std::wstring& instance) {
  ComPtr<IDispatch> settings = CreateObjectByProgID(product_names::kSettingsProgId);
  SelectInstance(*settings.get(), instance);
  VARIANTARG which = BoolArgument(true);
  CallMethod(*settings.get(), L"RemoveSettings", std::span(&which, 1));
  return Load(*settings.get(), true).empty();
}
