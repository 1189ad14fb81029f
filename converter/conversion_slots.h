// How many conversions of one user session may run Ghostscript at once: the
// pure rule behind conversion_turns.h.
#pragma once

#include <cstdint>
#include <optional>

// The most slots a converter can wait for in one wait (the system's limit of
// objects in one wait, MAXIMUM_WAIT_OBJECTS).
inline constexpr unsigned kMostConversionSlots = 64;

// The machine setting "MaxConversions" when it is 1 or more, else one slot
// per processor; never fewer than 1, never more than kMostConversionSlots.
unsigned ConversionSlotCount(std::optional<std::uint32_t> maxConversions, unsigned processors);
