#include "switch_table.h"

namespace {

constexpr SwitchArgument kSetArguments[] = {
    {L"name", L"Name of setting to change.", ArgumentForm::SwitchKey},
    {L"value", L"New value of setting.", ArgumentForm::AsTyped},
};
constexpr SwitchArgument kRemoveArguments[] = {
    {L"name", L"Name of setting to remove.", ArgumentForm::SwitchKey},
};

constexpr SwitchRow kRows[] = {
    {L's', ActionKind::SetSetting, L"Set a setting in the configuration.", kSetArguments},
    {L'r', ActionKind::RemoveSetting, L"Remove a setting from the configuration.",
     kRemoveArguments},
    {L'c', ActionKind::ClearSettings, L"Clear all settings.", {}},
};

}  // namespace

const std::span<const SwitchRow> kSwitches = kRows;
