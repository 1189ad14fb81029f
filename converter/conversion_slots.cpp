#include "conversion_slots.h"

#include <algorithm>

unsigned ConversionSlotCount(std::optional<std::uint32_t> maxConversions, unsigned processors) {
  const std::uint32_t wanted =
      maxConversions && *maxConversions > 0 ? *maxConversions : std::max(processors, 1u);
  return static_cast<unsigned>(std::min<std::uint32_t>(wanted, kMostConversionSlots));
}
