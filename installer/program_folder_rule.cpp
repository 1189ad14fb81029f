#include "program_folder_rule.h"

#include "port_values.h"

namespace {

// Backslashes only, without trailing separators.
std::wstring Normalized(std::wstring path) {
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

}  // namespace

bool IsInsideFolder(const std::wstring& path, const std::wstring& folder) {
  const std::wstring p = Normalized(path);
  const std::wstring f = Normalized(folder);
  if (f.empty() || p.size() < f.size()) return false;
  if (!EqualIgnoringAsciiCase(p.substr(0, f.size()), f)) return false;
  return p.size() == f.size() || p[f.size()] == L'\\';
}
