// A printer instance's regular settings, read and written with the settings
// component's own store, so that scripts through the settings object see
// the same values. Raises the store's automation errors.
#pragma once

#include <string>
#include <vector>

#include "job_options.h"

// The values of `names` in the instance's regular settings (unset ones are
// left out).
SettingValues LoadRegularSettings(const std::wstring& instance,
                                  const std::vector<std::wstring>& names);

// Loads the instance's regular settings afresh, sets `changes` over them and
// writes the file: every other setting stays as it is in the file.
void WriteRegularSettings(const std::wstring& instance, const SettingValues& changes);

// Removes the instance's regular settings file.
void RemoveRegularSettings(const std::wstring& instance);
