#include "job_settings.h"

#include "com_ptr.h"
#include "late_binding.h"
#include "object_factory.h"

namespace {

const wchar_t kSettingsProgId[] = L"corvale.PDFPrinterSettings";

std::wstring ReadValue(bool isRunOnce, const wchar_t* name) {
  ComPtr<IDispatch> settings = CreateObjectByProgID(kSettingsProgId);
  VARIANTARG which = BoolArgument(isRunOnce);
  CallMethod(*settings.get(), L"LoadSettings", std::span(&which, 1));
  UniqueBstr nameText(SysAllocString(name));
  VARIANTARG argument = TextArgument(nameText.get());
  return CallMethodForText(*settings.get(), L"GetValue", std::span(&argument, 1));
}

}  // namespace

JobSettings ReadJobSettings() {
  JobSettings settings;
  settings.output = ReadValue(false, L"output");
  if (std::wstring once = ReadValue(true, L"output"); !once.empty()) settings.output = once;
  return settings;
}

void RemoveRunOnceSettings() {
  ComPtr<IDispatch> settings = CreateObjectByProgID(kSettingsProgId);
  VARIANTARG which = BoolArgument(true);
  CallMethod(*settings.get(), L"RemoveSettings", std::span(&which, 1));
}
