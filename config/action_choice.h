// Which of the program's actions an argument text asks for.
#pragma once

#include <string>
#include <string_view>

enum class ActionKind { ShowUsage, SetSetting, RemoveSetting, ClearSettings };

struct ChosenAction {
  ActionKind kind = ActionKind::ShowUsage;
  std::wstring name;   // the setting of SetSetting and RemoveSetting, as a switch key
  std::wstring value;  // the new value of SetSetting, as the user typed it
};

// The action of `argumentText`:
//   s name value   SetSetting (exactly three tokens)
//   r name         RemoveSetting (exactly two tokens)
//   c              ClearSettings (exactly one token)
//   anything else  ShowUsage
// The switches may carry "/" or "-" and be in any case. The value of s is data
// rather than a switch: it keeps its case and prefix and may repeat the name.
// Raises the duplicate-key error when two switches give the same key.
ChosenAction ChooseAction(std::wstring_view argumentText);
