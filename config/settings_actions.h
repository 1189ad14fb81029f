// The program's three actions on the run-once settings, each through a new
// settings object that is released before the action returns.
#pragma once

#include <string>

// Loads the run-once settings, sets `name` to `value` and writes them back.
void SetSetting(const std::wstring& name, const std::wstring& value);
// Loads the run-once settings, gives `name` the empty value and writes them back.
void RemoveSetting(const std::wstring& name);
// Deletes the stored run-once settings.
void ClearSettings();
