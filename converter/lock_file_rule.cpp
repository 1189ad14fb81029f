#include "lock_file_rule.h"

#include "log_rules.h"

std::optional<std::wstring> WhyNotAJobsLock(const LockFileFacts& facts) {
  if (facts.isLink) return L"it is a junction or symbolic link";
  if (facts.isFolder) return L"it is a folder";
  if (facts.size != 0) return L"it is not empty";
  // The owners that a job's log may have are those that a job's lock may have.
  if (!facts.ownerSid.empty() && !IsTrustedLogOwner(facts.ownerSid, facts.userSid)) {
    return L"it belongs to " + facts.ownerSid +
           L", not to the printing user, SYSTEM or Administrators";
  }
  return std::nullopt;
}
