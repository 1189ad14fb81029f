// Turning fuzz bytes into the UTF-16 code units the deliverables handle. Each
// byte is one code unit, except that 0xFF takes the next two bytes as one unit
// (high byte first), so seed files stay plain text and any unit is reachable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <fuzzer/FuzzedDataProvider.h>

inline std::wstring DecodeUnits(std::string_view bytes) {
  std::wstring units;
  units.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == 0xFF && i + 2 < bytes.size()) {
      const auto high = static_cast<unsigned char>(bytes[i + 1]);
      const auto low = static_cast<unsigned char>(bytes[i + 2]);
      units.push_back(static_cast<wchar_t>(high << 8 | low));
      i += 2;
    } else {
      units.push_back(static_cast<wchar_t>(byte));
    }
  }
  return units;
}

inline std::wstring DecodeUnits(const std::uint8_t* data, std::size_t size) {
  return DecodeUnits(std::string_view(reinterpret_cast<const char*>(data), size));
}

// The next text of the provider (its random-length form), decoded.
inline std::wstring ConsumeUnits(FuzzedDataProvider& provider, std::size_t maxBytes = 4096) {
  return DecodeUnits(provider.ConsumeRandomLengthString(maxBytes));
}

// The text without the code units that its source can never hold.
inline std::wstring Without(std::wstring text, std::wstring_view banned) {
  std::erase_if(text, [banned](wchar_t c) { return banned.find(c) != std::wstring_view::npos; });
  return text;
}

// Stops the run with the finding's description; libFuzzer saves the input.
[[noreturn]] void Finding(const char* what);
