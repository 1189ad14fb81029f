#include "registry_setting_text.h"

#include <gtest/gtest.h>

namespace {

TEST(RegistrySettingText, NumbersAndBytesSpellingATextAreRead) {
  EXPECT_EQ(RegistrySettingText(std::int32_t{-5}), L"-5");
  // Bytes are UTF-16 code units, low byte first; an odd last byte makes no character.
  EXPECT_EQ(RegistrySettingText(std::vector<std::uint8_t>{'D', 0, ':', 0, 0xAC, 0x20, 'x'}),
            L"D:\u20AC");
  EXPECT_EQ(RegistrySettingText(RegNull{}), L"");
  EXPECT_EQ(RegistrySettingText(RegEmpty{}), L"");
}

}  // namespace
