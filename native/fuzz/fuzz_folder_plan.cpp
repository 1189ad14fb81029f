// The folder-creation plan: any path gives steps that are growing prefixes of
// the target, each ending in a backslash, the last one the whole target; the
// leading drive (or first name) and a UNC path's server and share are never
// created, every later level is.
#include <algorithm>

#include "fuzz_text.h"
#include "path_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring path = DecodeUnits(data, size);
  const FolderPlan plan = PlanFolderTree(path);
  std::wstring target = path;
  std::replace(target.begin(), target.end(), L'/', L'\\');
  if (plan.target != target) Finding("target differs from the path with / made \\");
  if (target.empty()) {
    if (!plan.steps.empty()) Finding("steps planned for an empty path");
    return 0;
  }
  const std::size_t parts = std::count(target.begin(), target.end(), L'\\') + 1;
  if (plan.steps.size() != parts) Finding("one step per level expected");
  const std::size_t kept = target.starts_with(L"\\\\") ? 4 : 1;
  const std::wstring full = target + L'\\';
  std::size_t previous = 0;
  for (std::size_t i = 0; i < plan.steps.size(); ++i) {
    const FolderStep& step = plan.steps[i];
    if (step.path.empty() || step.path.back() != L'\\') Finding("step without its backslash");
    if (!full.starts_with(step.path)) Finding("step is not a prefix of the target");
    if (i > 0 && step.path.size() <= previous) Finding("steps do not grow");
    if (step.mayCreate != (i >= kept)) Finding("wrong levels marked for creation");
    previous = step.path.size();
  }
  if (plan.steps.back().path != full) Finding("last step is not the whole target");
  return 0;
}
