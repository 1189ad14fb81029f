// Which of the program's actions an argument text asks for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "switch_table.h"

struct ChosenAction {
  const SwitchRow* row = nullptr;  // null: the arguments name no action (show the usage)
  // One value for each of the row's arguments: a SwitchKey argument as its key,
  // an AsTyped one as the user typed it.
  std::vector<std::wstring> values;
};

// The first row of the switch table whose letter is the first token's key and
// whose argument count takes every other token; no row when none fits. The
// switches may carry "/" or "-" and be in any case. Raises the duplicate-key
// error when two switches give the same key (an argument taken as typed is
// data and is not counted).
ChosenAction ChooseAction(std::wstring_view argumentText);
