#include "work_files.h"

#include <windows.h>

#include <cwchar>

#include "file_system.h"
#include "job_failure.h"

namespace {

constexpr wchar_t kPrefix[] = L"~pdfjob-";
constexpr std::size_t kPrefixLength = sizeof kPrefix / sizeof kPrefix[0] - 1;
constexpr std::size_t kTokenDigits = 16;
constexpr wchar_t kMarkerSuffix[] = L".live";

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return folder.empty() || folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

// "~pdfjob-" and 16 hexadecimal digits: the process id, then a count.
std::wstring TokenOf(DWORD processId, DWORD count) {
  wchar_t token[kPrefixLength + kTokenDigits + 1];
  swprintf(token, sizeof token / sizeof token[0], L"%ls%08lX%08lX", kPrefix, processId, count);
  return token;
}

// The token at the start of a file name of the pattern, or empty.
std::wstring TokenAtStartOf(const std::wstring& name) {
  if (name.compare(0, kPrefixLength, kPrefix) != 0 || name.size() < kPrefixLength + kTokenDigits)
    return {};
  for (std::size_t i = kPrefixLength; i < kPrefixLength + kTokenDigits; ++i) {
    if (!iswxdigit(name[i])) return {};
  }
  return name.substr(0, kPrefixLength + kTokenDigits);
}

// True while a converter holds the marker (it is opened without sharing; an
// access to attributes only would not meet the sharing check).
bool IsHeld(const std::wstring& marker) {
  const UniqueFileHandle probe(CreateFileW(marker.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
  return !probe && GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace

WorkFiles::WorkFiles(const std::wstring& folder, const std::wstring& extension, bool onePerPage)
    : onePerPage_(onePerPage) {
  const DWORD start = GetTickCount();
  for (DWORD count = start;; ++count) {
    const std::wstring token = Join(folder, TokenOf(GetCurrentProcessId(), count));
    marker_.reset(CreateFileW((token + kMarkerSuffix).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                              nullptr));
    if (marker_) {
      names_ = {token + L".part", extension};
      return;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS || count - start > 100) {
      throw JobFailure{L"The job's files cannot be made in the work area " + folder + L" (error " +
                       std::to_wstring(error) + L")."};
    }
  }
}

WorkFiles::~WorkFiles() {
  for (const std::wstring& file : Present()) DeleteFileW(file.c_str());
}

std::wstring WorkFiles::First() const {
  return onePerPage_ ? PagePath(names_, 1) : names_.stem + names_.extension;
}

std::vector<std::wstring> WorkFiles::Present() const {
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

void SweepWorkArea(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  const UniqueFindHandle search(
      FindFirstFileW(Join(folder, std::wstring(kPrefix) + L"*").c_str(), &found));
  if (!search) return;
  do {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
      continue;
    }
    const std::wstring token = TokenAtStartOf(found.cFileName);
    if (token.empty() || IsHeld(Join(folder, token + kMarkerSuffix))) continue;
    DeleteFileW(Join(folder, found.cFileName).c_str());
  } while (FindNextFileW(search.get(), &found));
}
