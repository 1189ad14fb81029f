// The resident notifier: a hidden window that owns one notification-area icon
// and shows the notices in balloons, latest first, until the last one has
// expired.
#pragma once

#include <string>

// How long a notice lives after it came.
inline constexpr unsigned long long kNoticeLifetimeMs = 8000;

// Shows `firstFile`'s notice and those handed over later; returns when none
// is left.
void RunNoticeIcon(const std::wstring& firstFile);
