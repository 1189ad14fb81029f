// The program's actions, one for each switch (switch_table.cpp). Each creates
// its own settings object through `newSettings`, works on the run-once settings
// of the default printer instance, and releases the object before it returns.
// An error of a call ends the action there: the calls after it are not made.
#pragma once

#include <span>
#include <string>

#include "late_bound_object.h"

// `values`: the setting's name and its new value. Loads the run-once settings,
// sets the value and writes them back.
void SetSetting(const NewSettingsObject& newSettings, std::span<const std::wstring> values);
// `values`: the setting's name. Loads the run-once settings, gives the setting
// the empty value and writes them back.
void RemoveSetting(const NewSettingsObject& newSettings, std::span<const std::wstring> values);
// No values. Deletes the stored run-once settings.
void ClearSettings(const NewSettingsObject& newSettings, std::span<const std::wstring> values);
