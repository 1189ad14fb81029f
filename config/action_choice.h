// Which of the program's actions an argument text asks for.
#pragma once

#include <string>
#include <string_view>

#include "switch_table.h"

struct ChosenAction {
  ActionKind kind = ActionKind::ShowUsage;
  std::wstring name;   // the row's first argument (a setting name, as a switch key)
  std::wstring value;  // the row's second argument (a new value, as the user typed it)
};

// The action of the first row of the switch table whose letter is the first
// token's key and whose argument count takes every other token; ShowUsage when
// no row fits. The switches may carry "/" or "-" and be in any case.
// Raises the duplicate-key error when two switches give the same key (an
// argument taken as typed is data and is not counted).
ChosenAction ChooseAction(std::wstring_view argumentText);
