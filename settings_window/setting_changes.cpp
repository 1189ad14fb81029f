#include "setting_changes.h"

SettingValues SettingChanges(const SettingValues& before, const SettingValues& after) {
  SettingValues changes;
  for (const auto& [name, value] : after) {
    const auto old = before.find(name);
    if (value != (old == before.end() ? std::wstring() : old->second)) changes[name] = value;
  }
  return changes;
}
