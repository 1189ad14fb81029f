#include "partial_files.h"

#include <windows.h>

#include "file_system.h"

PartialFiles::PartialFiles(const std::wstring& target, const std::wstring& sessionId,
                           bool onePerPage)
    : onePerPage_(onePerPage) {
  const PathParts final = SplitExtension(target);
  names_ = {
      final.stem + L"." + sessionId + L"." + std::to_wstring(GetCurrentProcessId()) + L".part",
      final.extension};
}

PartialFiles::~PartialFiles() {
  for (const std::wstring& file : Present()) DeleteFileW(file.c_str());
}

std::wstring PartialFiles::First() const {
  return onePerPage_ ? PagePath(names_, 1) : names_.stem + names_.extension;
}

std::vector<std::wstring> PartialFiles::Present() const {
  std::vector<std::wstring> files;
  if (!onePerPage_) {
    if (IsFile(First())) files.push_back(First());
    return files;
  }
  for (unsigned page = 1; IsFile(PagePath(names_, page)); ++page) {
    files.push_back(PagePath(names_, page));
  }
  return files;
}
