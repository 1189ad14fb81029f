#include "path_names.h"

#include <algorithm>

#include "character_rules.h"

std::wstring SafeFileName(std::wstring name) {
  std::replace_if(name.begin(), name.end(), IsReservedInFileName, L'_');
  while (!name.empty() && name.back() == L'.') name.pop_back();
  return name;
}

std::wstring SafeFolderName(const std::wstring& name) { return SafeFileName(name); }

FolderPlan PlanFolderTree(const std::wstring& target) {
  FolderPlan plan;
  plan.target = target;
  std::replace(plan.target.begin(), plan.target.end(), L'/', L'\\');
  if (plan.target.empty()) return plan;

  // The drive (or a relative path's first name) is never created, nor the
  // two empty parts, the server and the share of a UNC path.
  const bool unc = plan.target.starts_with(L"\\\\");
  const std::size_t skippedParts = unc ? 4 : 1;

  std::wstring current;
  std::size_t partIndex = 0;
  std::size_t partStart = 0;
  for (;;) {
    const std::size_t partEnd = plan.target.find(L'\\', partStart);
    const std::size_t length =
        partEnd == std::wstring::npos ? std::wstring::npos : partEnd - partStart;
    current.append(plan.target, partStart, length).push_back(L'\\');
    plan.steps.push_back({current, partIndex >= skippedParts});
    if (partEnd == std::wstring::npos) break;
    partStart = partEnd + 1;
    ++partIndex;
  }
  return plan;
}
