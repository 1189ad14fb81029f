#include "switch_table.h"

#include "settings_actions.h"

namespace {

constexpr SwitchArgument kSetArguments[] = {
    {L"name", L"Name of setting to change.", ArgumentForm::SwitchKey},
    {L"value", L"New value of setting.", ArgumentForm::AsTyped},
};
constexpr SwitchArgument kRemoveArguments[] = {
    {L"name", L"Name of setting to remove.", ArgumentForm::SwitchKey},
};

constexpr SwitchRow kRows[] = {
    {L's', L"Set a setting in the configuration.", kSetArguments, SetSetting},
    {L'r', L"Remove a setting from the configuration.", kRemoveArguments, RemoveSetting},
    {L'c', L"Clear all settings.", {}, ClearSettings},
};

}  // namespace

const std::span<const SwitchRow> kSwitches = kRows;
