#include "settings_file_name.h"

std::wstring SettingsFileName(const std::wstring& dataFolder, bool isRunOnce,
                              const std::wstring& instance) {
  std::wstring name = dataFolder;
  name += isRunOnce ? L"\\runonce" : L"\\settings";
  if (!instance.empty()) name.append(1, L'-').append(instance);
  name += L".ini";
  return name;
}
