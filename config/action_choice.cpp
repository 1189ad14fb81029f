#include "action_choice.h"

#include <span>
#include <vector>

#include "command_line.h"

namespace {

// The row that `tokens` ask for, or null.
const SwitchRow* MatchingRow(const std::vector<CommandLineToken>& tokens) {
  if (tokens.empty()) return nullptr;
  const std::wstring key = SwitchKey(tokens[0].name);
  for (const SwitchRow& row : kSwitches) {
    if (key.size() == 1 && key[0] == row.letter && tokens.size() == 1 + row.arguments.size()) {
      return &row;
    }
  }
  return nullptr;
}

}  // namespace

ChosenAction ChooseAction(std::wstring_view argumentText) {
  const std::vector<CommandLineToken> tokens = SplitCommandLine(argumentText);
  const SwitchRow* row = MatchingRow(tokens);
  if (!row) {
    BuildSwitchTable(tokens);  // only for its duplicate-key error
    return {};
  }

  // Every switch-like token goes through the table, so that keys may not collide.
  size_t switchCount = 1;
  while (switchCount < tokens.size() &&
         row->arguments[switchCount - 1].form == ArgumentForm::SwitchKey) {
    ++switchCount;
  }
  const std::vector<std::wstring> keys =
      BuildSwitchTable(std::span(tokens.data(), switchCount))->Keys();

  ChosenAction action{row, {}};
  for (size_t i = 1; i < tokens.size(); ++i) {
    action.values.push_back(i < switchCount ? keys[i] : TypedText(tokens[i]));
  }
  return action;
}
