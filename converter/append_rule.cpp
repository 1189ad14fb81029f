#include "append_rule.h"

#include "equals_no_case.h"

std::optional<std::wstring> WhyNotAppendTo(const ExistingFileFacts& facts) {
  if (facts.head.rfind("%PDF-", 0) != 0) return L"it does not start as a PDF does (\"%PDF-\")";
  const bool keepsOwners = facts.fileSystem.empty() || EqualsNoCase(facts.fileSystem, L"NTFS") ||
                           EqualsNoCase(facts.fileSystem, L"ReFS");
  if (keepsOwners && !facts.ownedByUser) return L"it is not owned by the printing user";
  return std::nullopt;
}
