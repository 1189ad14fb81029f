// The settings of one printer instance: name/value texts in memory, loaded from,
// written to and removed as the instance's regular or run-once settings file.
// Errors are raised as automation errors.
#pragma once

#include <string>

#include "dictionary.h"

class PrinterSettings {
 public:
  // The section of a settings file that holds the settings.
  static constexpr const wchar_t* kSectionName = L"PDF Printer";
  // The error raised when a settings file cannot be written.
  static constexpr int kWriteError = 1000;

  // Empties the settings and returns to the default instance.
  void Init();
  // Replaces the settings with those of the file; a missing, unreadable or
  // malformed file gives empty settings.
  void LoadSettings(bool isRunOnce);
  // Rewrites the file whole with the settings; raises error 1000 on failure.
  void WriteSettings(bool isRunOnce);
  // Deletes the file if it exists; a failed delete is ignored.
  void RemoveSettings(bool isRunOnce);
  // Stores `value` under `name` (a new name goes to the end).
  void SetValue(const std::wstring& name, const std::wstring& value);
  // The stored value, or the empty text for a missing or empty name.
  std::wstring GetValue(const std::wstring& name);
  // Selects the printer instance whose files later calls use (empty: the default).
  void SetPrinterInstance(const std::wstring& instance);

 private:
  std::wstring GetSettingsFileName(bool isRunOnce) const;
  void LazyStart();

  DictionaryPtr settings_;
  std::wstring instance_;
};
