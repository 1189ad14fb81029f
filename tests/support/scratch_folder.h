// Files and folders for tests: a fresh folder removed with its content at the
// end, file reading, and Linux paths made usable from Windows programs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ScratchFolder {
 public:
  // A new, empty folder under the process's temporary folder.
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder, without a trailing backslash.
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

void RemoveTree(const std::wstring& path);
bool PathExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// A file of `size` bytes that takes no room (its end set, nothing written); returns `path`.
std::wstring WriteSparseFile(const std::wstring& path, long long size);
// Names (not paths) of the files in a folder that match the pattern, sorted.
std::vector<std::wstring> ListFiles(const std::wstring& folder, const std::wstring& pattern);

// "/a/b" as "Z:\a\b"; other text unchanged.
std::wstring WindowsPathOf(const char* unixPath);

// Polls until the condition holds or the time runs out; returns the condition.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() >= end) return condition();
    Sleep(10);
  }
  return true;
}
