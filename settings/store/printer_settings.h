// The settings of one printer instance: name/value texts in memory, loaded from,
// written to and removed as the instance's regular or run-once settings file.
// Errors are raised as automation errors.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "dictionary.h"

class PrinterSettings {
 public:
  // The section of a settings file that holds the settings.
  static constexpr const wchar_t* kSectionName = L"PDF Printer";
  // The error raised when a settings file cannot be written.
  static constexpr int kWriteError = 1000;
  // The error raised when a settings file cannot be deleted.
  static constexpr int kFileAccessError = 75;

  // Empties the settings and returns to the default instance.
  void Init();
  // Replaces the settings with those of the file; a missing, unreadable or
  // malformed file gives empty settings. A file that exists but could not be
  // read is remembered: this object will not write over it. When the file is
  // missing, the first of the instance's older files that exists is read
  // instead (older_settings_files.h).
  void LoadSettings(bool isRunOnce);
  // Rewrites the file whole with the settings, those loaded as they were
  // loaded. Raises error 5 naming the first setting that the file would not
  // give back (setting_rules.h), before the file is touched; error 1000 when
  // the file cannot be written or its last load by this object could not read
  // it.
  void WriteSettings(bool isRunOnce);
  // Deletes the file if it exists; raises error 75 when it cannot be deleted.
  // Once it is gone, a file that the last load could not read may be written.
  void RemoveSettings(bool isRunOnce);
  // Stores `value` under `name` (a new name goes to the end). Any name and
  // value are stored; WriteSettings refuses what a file would not give back.
  void SetValue(const std::wstring& name, const std::wstring& value);
  // The stored value, or the empty text for a missing or empty name.
  std::wstring GetValue(const std::wstring& name);
  // Selects the printer instance whose files later calls use (empty: the
  // default). Any name is kept as it is given; its files' names escape what a
  // file name cannot hold (settings_file_name.h).
  void SetPrinterInstance(const std::wstring& instance);

 private:
  std::wstring GetSettingsFileName(bool isRunOnce) const;
  void LazyStart();

  [[noreturn]] static void RaiseWriteError(const std::wstring& filename, std::int32_t number,
                                           const std::wstring& message);

  // Why the last load of a file failed, for the files that exist but could not be read.
  struct ReadFailure {
    std::int32_t number;
    std::wstring message;
  };

  DictionaryPtr settings_;
  std::wstring instance_;
  std::map<std::wstring, ReadFailure> unreadFiles_;
};

// The settings section ("PDF Printer") of a file's tree; null when it has none.
DictionaryPtr SettingsSection(const DictionaryPtr& root);
