#include "action_choice.h"

#include <span>
#include <vector>

#include "command_line.h"

ChosenAction ChooseAction(std::wstring_view argumentText) {
  const std::vector<CommandLineToken> tokens = SplitCommandLine(argumentText);

  if (tokens.size() == 3 && SwitchKey(tokens[0].name) == L"s") {
    const std::span<const CommandLineToken> switches(tokens.data(), 2);
    const std::vector<std::wstring> keys = BuildSwitchTable(switches)->Keys();
    return {ActionKind::SetSetting, keys[1], TypedText(tokens[2])};
  }

  const std::vector<std::wstring> keys = BuildSwitchTable(tokens)->Keys();
  if (keys.size() == 2 && keys[0] == L"r") return {ActionKind::RemoveSetting, keys[1], {}};
  if (keys.size() == 1 && keys[0] == L"c") return {ActionKind::ClearSettings, {}, {}};
  return {};
}
