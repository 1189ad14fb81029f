// Whether a lock file found in the way can be another job's lock (see
// target_lock.h), or must fail the job at once. Pure rule, without a platform
// header; target_lock.cpp reads the facts it takes.
#pragma once

#include <optional>
#include <string>

// What is known of a lock file that is there already.
struct LockFileFacts {
  bool isFolder = false;
  bool isLink = false;          // a reparse point: a junction or symbolic link
  unsigned long long size = 0;  // bytes
  std::wstring ownerSid;        // empty when the file system keeps no owners
  std::wstring userSid;         // the printing user's
};

// Why that file is no job's lock, or nothing when it may be one (then the job
// waits for it). A job's lock is an empty plain file, owned by the printing
// user, SYSTEM or Administrators; anything else was put there by someone
// else, who could keep it for ever.
std::optional<std::wstring> WhyNotAJobsLock(const LockFileFacts& facts);
