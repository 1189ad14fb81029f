// Pure text rules for paths and names.
#pragma once

#include <string>
#include <vector>

#include "trailing_backslash.h"

// `name` made usable as one file-name component: each character reserved in
// file names (character_rules.h) becomes "_", then trailing dots are dropped.
std::wstring SafeFileName(std::wstring name);
// The same rule, for folder names.
std::wstring SafeFolderName(const std::wstring& name);

// One step of MkDirRecurse: the path with its trailing backslash, and whether
// it may be created (leading drive/relative/UNC server and share parts may not).
struct FolderStep {
  std::wstring path;
  bool mayCreate;
};
struct FolderPlan {
  std::wstring target;  // "/" replaced by "\"
  std::vector<FolderStep> steps;
};
FolderPlan PlanFolderTree(const std::wstring& target);
