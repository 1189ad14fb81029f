// An output file that is there already: whether another program holds it, and
// whether a job may add its pages to it.
#pragma once

#include <optional>
#include <string>

#include "unique_resource.h"

// How long a job waits for a file that another program keeps open.
inline constexpr unsigned long kHeldFileWaitMs = 30 * 1000;

// True while another program holds the file open without sharing, so that it
// can be neither read nor replaced; false when it is free or missing.
bool IsHeldByAnother(const std::wstring& path);

// Waits while IsHeldByAnother, until `deadline` (a GetTickCount64 time).
// Raises JobFailure when the time runs out.
void WaitWhileHeld(const std::wstring& path, unsigned long long deadline);

// The existing file that a job is to add its pages to, opened once: its facts
// are checked and its bytes later read through the same handle, which shares
// reading only, so no one can change or swap it in between.
struct ExistingToAppend {
  UniqueFileHandle file;               // open for reading; empty when it must not be appended to
  std::optional<std::wstring> whyNot;  // why not (see append_rule.h); nothing when it may be
};
ExistingToAppend OpenToAppend(const std::wstring& path);
