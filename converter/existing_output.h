// An output file that is there already: whether another program holds it, and
// whether a job may add its pages to it.
#pragma once

#include <optional>
#include <string>

// How long a job waits for a file that another program keeps open.
inline constexpr unsigned long kHeldFileWaitMs = 30 * 1000;

// True while another program holds the file open without sharing, so that it
// can be neither read nor replaced; false when it is free or missing.
bool IsHeldByAnother(const std::wstring& path);

// Waits while IsHeldByAnother, until `deadline` (a GetTickCount64 time).
// Raises JobFailure when the time runs out.
void WaitWhileHeld(const std::wstring& path, unsigned long long deadline);

// Why the job's pages must not be added to the existing file (see
// append_rule.h), or nothing when they may.
std::optional<std::wstring> WhyNotAppendToFile(const std::wstring& path);
