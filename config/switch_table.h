// The program's switches, one row each: the letter, the arguments that follow
// it, the texts of the usage box and the action it runs. The choice of action
// and the usage text both walk this table in its order, so a new switch is one
// row here plus its action (see README.md).
#pragma once

#include <span>
#include <string>

#include "late_bound_object.h"

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

// What a switch does with the values of its arguments (in the row's order),
// through settings objects that `newSettings` creates.
using SwitchAction = void (*)(const NewSettingsObject& newSettings,
                              std::span<const std::wstring> values);

struct SwitchRow {
  wchar_t letter;  // the switch key, lower case
  const wchar_t* help;
  // The arguments the switch takes, each giving the action one value; the
  // AsTyped ones come last.
  std::span<const SwitchArgument> arguments;
  SwitchAction action;
};

// The rows in the order of the usage text.
extern const std::span<const SwitchRow> kSwitches;
