#include "printer_settings.h"

#include <windows.h>

#include "automation_error.h"
#include "data_folder.h"
#include "file_system.h"
#include "ini_file.h"
#include "object_factory.h"
#include "settings_file_name.h"
#include "to_text.h"

void PrinterSettings::Init() {
  settings_ = NewDictionary();
  instance_.clear();
}

void PrinterSettings::LoadSettings(bool isRunOnce) {
  const std::wstring filename = GetSettingsFileName(isRunOnce);
  settings_ = NewDictionary();
  IniFile file;
  if (!file.Load(filename)) return;
  const DictionaryPtr root = file.Data();
  const Dictionary::Value* section = root ? root->Find(kSectionName) : nullptr;
  if (DictionaryPtr table = section ? AsDictionary(*section) : nullptr)
    settings_ = std::move(table);
}

void PrinterSettings::WriteSettings(bool isRunOnce) {
  const std::wstring filename = GetSettingsFileName(isRunOnce);
  LazyStart();
  DictionaryPtr root = NewDictionary();
  root->Set(kSectionName, settings_);
  IniFile file;
  file.SetData(root);
  if (!file.Save(filename)) {
    RaiseError(kWriteError, L"Error writing settings file '" + filename + L"'. Error " +
                                std::to_wstring(file.LastError()) + L": " +
                                file.LastErrorMessage());
  }
}

void PrinterSettings::RemoveSettings(bool isRunOnce) {
  const std::wstring filename = GetSettingsFileName(isRunOnce);
  if (IsFile(filename)) DeleteFileW(filename.c_str());
}

void PrinterSettings::SetValue(const std::wstring& name, const std::wstring& value) {
  LazyStart();
  settings_->Set(name, value);
}

std::wstring PrinterSettings::GetValue(const std::wstring& name) {
  std::wstring result;
  LazyStart();
  if (!name.empty()) {
    if (const Dictionary::Value* value = settings_->Find(name)) result = ToText(*value);
  }
  return result;
}

void PrinterSettings::SetPrinterInstance(const std::wstring& instance) {
  LazyStart();
  instance_ = instance;
}

std::wstring PrinterSettings::GetSettingsFileName(bool isRunOnce) const {
  return SettingsFileName(GetDataFolder(), isRunOnce, instance_);
}

void PrinterSettings::LazyStart() {
  if (!settings_) Init();
}
