#include "settings_actions.h"

#include <memory>
#include <utility>

namespace {

// The settings object's member names as this program spells them.
constexpr wchar_t kLoadSettings[] = L"loadsettings";
constexpr wchar_t kSetValue[] = L"SetValue";
constexpr wchar_t kWriteSettings[] = L"writesettings";
constexpr wchar_t kRemoveSettings[] = L"RemoveSettings";

// isRunOnce: every call works on the run-once settings.
const CallArgument kRunOnce[] = {CallArgument::Boolean(true)};

// Loads, calls SetValue(name, value) and writes, on a new object.
void StoreRunOnceValue(const NewSettingsObject& newSettings, CallArgument name,
                       CallArgument value) {
  const std::unique_ptr<LateBoundObject> settings = newSettings();
  settings->Call(kLoadSettings, kRunOnce);
  const CallArgument arguments[] = {std::move(name), std::move(value)};
  settings->Call(kSetValue, arguments);
  settings->Call(kWriteSettings, kRunOnce);
}

}  // namespace

void SetSetting(const NewSettingsObject& newSettings, std::span<const std::wstring> values) {
  StoreRunOnceValue(newSettings, CallArgument::TextByReference(values[0]),
                    CallArgument::TextByReference(values[1]));
}

void RemoveSetting(const NewSettingsObject& newSettings, std::span<const std::wstring> values) {
  StoreRunOnceValue(newSettings, CallArgument::TextByReference(values[0]), CallArgument::Text(L""));
}

void ClearSettings(const NewSettingsObject& newSettings, std::span<const std::wstring>) {
  newSettings()->Call(kRemoveSettings, kRunOnce);
}
