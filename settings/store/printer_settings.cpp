#include "printer_settings.h"

#include <windows.h>

#include "automation_error.h"
#include "data_folder.h"
#include "file_system.h"
#include "ini_file.h"
#include "long_path.h"
#include "older_settings_files.h"
#include "settings_file_name.h"
#include "setting_rules.h"
#include "system_message.h"

namespace {

// A load that failed because the file is not there, rather than unreadable.
bool IsMissingFileError(std::int32_t number) {
  return number == ERROR_FILE_NOT_FOUND || number == ERROR_PATH_NOT_FOUND;
}

}  // namespace

DictionaryPtr SettingsSection(const DictionaryPtr& root) {
  const Dictionary::Value* section = root ? root->Find(PrinterSettings::kSectionName) : nullptr;
  return section ? AsDictionary(*section) : nullptr;
}

void PrinterSettings::Init() {
  settings_ = NewDictionary();
  instance_.clear();
}

void PrinterSettings::LoadSettings(bool isRunOnce) {
  const std::wstring filename = GetSettingsFileName(isRunOnce);
  settings_ = NewDictionary();
  IniFile file;
  unreadFiles_.erase(filename);
  bool loaded = file.Load(filename);
  if (!loaded && IsMissingFileError(file.LastError())) {
    // Settings kept where earlier versions wrote them are read from there; the
    // next write goes to the file of today's name.
    for (const std::wstring& older : OlderSettingsFiles(isRunOnce, instance_)) {
      loaded = file.Load(older);
      if (loaded || !IsMissingFileError(file.LastError())) break;
    }
  }
  if (!loaded) {
    if (!IsMissingFileError(file.LastError())) {
      unreadFiles_[filename] = {file.LastError(), file.LastErrorMessage()};
    }
    return;
  }
  if (DictionaryPtr table = SettingsSection(file.Data())) settings_ = std::move(table);
}

void PrinterSettings::WriteSettings(bool isRunOnce) {
  const std::wstring filename = GetSettingsFileName(isRunOnce);
  LazyStart();
  if (const auto unread = unreadFiles_.find(filename); unread != unreadFiles_.end()) {
    RaiseWriteError(filename, unread->second.number, unread->second.message);
  }
  // A setting that the file would not give back stops the write before the file is touched.
  for (const Dictionary::Entry& entry : *settings_) {
    if (!IsStorableSetting(entry.key, ToText(entry.value))) {
      RaiseError(kInvalidArgumentError, std::wstring(kInvalidArgumentText) +
                                            L": a settings file cannot give back the setting '" +
                                            std::wstring(entry.key) + L"' with its value");
    }
  }
  DictionaryPtr root = NewDictionary();
  root->Set(kSectionName, settings_);
  IniFile file;
  file.SetData(root);
  if (!file.Save(filename)) RaiseWriteError(filename, file.LastError(), file.LastErrorMessage());
}

void PrinterSettings::RaiseWriteError(const std::wstring& filename, std::int32_t number,
                                      const std::wstring& message) {
  RaiseError(kWriteError, L"Error writing settings file '" + filename + L"'. Error " +
                              std::to_wstring(number) + L": " + message);
}

void PrinterSettings::RemoveSettings(bool isRunOnce) {
  const std::wstring filename = GetSettingsFileName(isRunOnce);
  const std::wstring path = LongPath(filename);
  if (IsFile(path) && !DeleteFileW(path.c_str())) {
    const DWORD reason = GetLastError();
    RaiseError(kFileAccessError, AutomationErrorText(kFileAccessError) + L": cannot delete '" +
                                     filename + L"'. " + SystemMessage(reason));
  }
  // What was not read is gone: a new file may be written.
  unreadFiles_.erase(filename);
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
