// The question of "Add printer...": the name of the new printer.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The name the user typed (blanks around it removed); nothing when cancelled
// or left empty.
std::optional<std::wstring> AskNewPrinterName(HWND owner);
