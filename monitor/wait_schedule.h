// Time keeping of the output wait, in the system time's 100-nanosecond units.
#pragma once

#include <cstdint>
#include <optional>

inline constexpr int64_t kUnitsPerMillisecond = 10'000;
inline constexpr int64_t kPassMilliseconds = 100;

// The wait runs from `start` for the time-out plus one pass. Each pass waits at
// most one pass length. Gives the length of the next pass in milliseconds, or
// nothing when the wait is over (also when the clock went back before `start`).
std::optional<uint32_t> NextPassMilliseconds(int64_t start, uint32_t timeoutMs, int64_t now);
