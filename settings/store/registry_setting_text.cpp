#include "registry_setting_text.h"

#include <type_traits>

std::wstring RegistrySettingText(const RegistryValue& value) {
  return std::visit(
      [](const auto& held) -> std::wstring {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, std::wstring>) {
          return held;
        } else if constexpr (std::is_same_v<Held, std::int32_t>) {
          return std::to_wstring(held);
        } else if constexpr (std::is_same_v<Held, std::vector<std::uint8_t>>) {
          std::wstring text(held.size() / 2, L'\0');
          for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<wchar_t>(held[2 * i] | (held[2 * i + 1] << 8));
          }
          return text;
        } else {
          return {};
        }
      },
      value);
}
