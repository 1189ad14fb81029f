#include "launch_retry.h"

namespace {

// Win32 error codes of passing failures (no Windows header in the pure rules).
constexpr unsigned long kNotEnoughMemory = 8;
constexpr unsigned long kOutOfMemory = 14;
constexpr unsigned long kInternalError = 1359;
constexpr unsigned long kNoSystemResources = 1450;

}  // namespace

bool IsWorthAnotherLaunchAttempt(unsigned long error, int attemptsMade) {
  if (attemptsMade >= kLaunchAttempts) return false;
  return error == kNotEnoughMemory || error == kOutOfMemory || error == kInternalError ||
         error == kNoSystemResources;
}
