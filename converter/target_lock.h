// One job at a time on an output file: the lock file "<file>.lock" beside it,
// created with no sharing and removed by the system when its handle closes,
// also when the converter dies.
//
// A file, not a named kernel object, because it lives where the target lives:
// it serves converters of every session and user of this machine, and of
// other machines writing to the same share (the file server enforces the
// sharing), and whoever may write the target may make it. A named mutex is
// seen on one machine only, and one in the global namespace can be made first
// and held by any user.
#pragma once

#include <string>

#include "unique_resource.h"

class TargetLock {
 public:
  // Waits until this job holds the lock of `target`, whose folder exists.
  // Raises JobFailure when the lock cannot be made there, or when another
  // holds it longer than any job may (a lock file left by a machine that
  // stopped, empty, is removed and taken), and at once when the file in the
  // way is no job's lock (lock_file_rule.h): a folder, a link, a file with
  // content or one of another owner.
  explicit TargetLock(const std::wstring& target);

 private:
  UniqueFileHandle file_;
};
