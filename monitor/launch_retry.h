// When a failed start of the converter is worth another attempt. The platform
// can fail a start for a moment (short of memory or resources, or the new
// process dying while it is set up); a job would then be lost for nothing. A
// program that is missing or cannot run fails the same way every time, so its
// failure is reported at once.
#pragma once

inline constexpr int kLaunchAttempts = 3;
inline constexpr unsigned kLaunchRetryPauseMs = 100;

// `error` is the Win32 error code of attempt number `attemptsMade` (from 1).
bool IsWorthAnotherLaunchAttempt(unsigned long error, int attemptsMade);
