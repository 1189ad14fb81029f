// Run-once settings that belong to exactly one job. A job claims the run-once
// file it reads: it renames the file, without replacing anything, to a name of
// its own that no load reads as settings, and only then reads it. So no two
// jobs read one file, a file that a client writes after the claim waits for the
// next job, and a job removes only what it claimed.
#pragma once

#include <optional>
#include <string>

#include "dictionary.h"

struct RunOnceClaim {
  std::wstring file;       // the claimed file, under its name of the job's own
  DictionaryPtr settings;  // its settings section; null when it had none
};

// Claims the run-once file of `instance` (when it is missing, the first of its
// older files that exists, older_settings_files.h) and reads it; nullopt when
// there is none. Claimed files that jobs which no longer run left behind are
// removed first. Raises error 75 when a file exists but cannot be claimed or
// read (it then stays where it was).
std::optional<RunOnceClaim> ClaimRunOnceSettings(const std::wstring& instance);

// Gives a claimed file back to `instance`, unless a run-once file of that
// instance has appeared since: the claimed one is then deleted.
void ReturnRunOnceSettings(const RunOnceClaim& claim, const std::wstring& instance);

// Deletes a claimed file; raises error 75 when it cannot be deleted.
void RemoveClaimedSettings(const std::wstring& file);
