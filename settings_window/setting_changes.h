// What a save of the settings window writes. Pure.
#pragma once

#include "job_options.h"

// The settings whose value in `after` differs from that in `before` (an
// absent setting counts as empty), with their values in `after`: a save
// writes only what the user changed, and leaves every other setting of the
// file as it is.
SettingValues SettingChanges(const SettingValues& before, const SettingValues& after);
