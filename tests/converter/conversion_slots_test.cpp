// How many conversions run at once: the setting, else the processors, within bounds.
#include "conversion_slots.h"

#include <gtest/gtest.h>

namespace {

TEST(ConversionSlots, TheSettingElseOnePerProcessorWithinOneAndTheWaitLimit) {
  const struct {
    std::optional<std::uint32_t> setting;
    unsigned processors;
    unsigned slots;
  } cases[] = {
      {std::nullopt, 2, 2}, {std::nullopt, 0, 1}, {std::nullopt, 256, 64},
      {0u, 8, 8},           {1u, 8, 1},           {12u, 2, 12},
      {64u, 2, 64},         {65u, 2, 64},         {0xFFFFFFFFu, 2, 64},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConversionSlotCount(c.setting, c.processors), c.slots)
        << c.setting.value_or(-1) << " " << c.processors;
  }
}

}  // namespace
