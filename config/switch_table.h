// The program's switches, one row each: the letter, the arguments that follow
// it, the texts of the usage box and the action it asks for. The choice of
// action and the usage text both walk this table in its order, so a new switch
// is one row here plus its action (see README.md).
#pragma once

#include <span>

enum class ActionKind { ShowUsage, SetSetting, RemoveSetting, ClearSettings };

// How an argument after the switch is taken from its token.
enum class ArgumentForm {
  SwitchKey,  // like a switch: prefix "/" or "-" dropped, lower-cased, may not repeat a key
  AsTyped,    // data: the token as the user wrote it (case, prefix and "=" kept)
};

struct SwitchArgument {
  const wchar_t* name;  // as the usage text shows it
  const wchar_t* help;
  ArgumentForm form;
};

struct SwitchRow {
  wchar_t letter;  // the switch key, lower case
  ActionKind action;
  const wchar_t* help;
  // At most two: the first fills the chosen action's name, the second its value.
  // An AsTyped argument comes last.
  std::span<const SwitchArgument> arguments;
};

// The rows in the order of the usage text.
extern const std::span<const SwitchRow> kSwitches;
