// The settings window: each printer's regular settings, edited through the
// fields it shares with the job window.
#pragma once

#include <windows.h>

// Shows the window until the user saves or cancels; the dialog's result.
INT_PTR RunSettingsDialog(HINSTANCE instance);
