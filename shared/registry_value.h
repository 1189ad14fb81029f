// The result of a registry read: empty, null, text, 32-bit integer or bytes.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

struct RegEmpty {
  bool operator==(const RegEmpty&) const = default;
};
struct RegNull {
  bool operator==(const RegNull&) const = default;
};
using RegistryValue =
    std::variant<RegEmpty, RegNull, std::wstring, std::int32_t, std::vector<std::uint8_t>>;
