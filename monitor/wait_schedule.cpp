#include "wait_schedule.h"

#include <algorithm>

std::optional<uint32_t> NextPassMilliseconds(int64_t start, uint32_t timeoutMs, int64_t now) {
  const int64_t total =
      (static_cast<int64_t>(timeoutMs) + kPassMilliseconds) * kUnitsPerMillisecond;
  const int64_t elapsed = now - start;
  if (elapsed < 0 || elapsed >= total) return std::nullopt;
  const int64_t remainingMs = (total - elapsed + kUnitsPerMillisecond - 1) / kUnitsPerMillisecond;
  return static_cast<uint32_t>(std::min(remainingMs, kPassMilliseconds));
}
