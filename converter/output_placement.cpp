#include "output_placement.h"

#include <windows.h>
#include <aclapi.h>

#include "existing_output.h"
#include "file_system.h"
#include "job_failure.h"
#include "output_name.h"
#include "unique_resource.h"

namespace {

constexpr unsigned kMostNumberedNames = 9999;

[[noreturn]] void FailToPlace(const std::wstring& name, DWORD error) {
  throw JobFailure{L"The result could not be written to " + name + L" (error " +
                   std::to_wstring(error) + L")."};
}

// The names of `count` files at `target`: its own for one, "name-1", "name-2",
// ... for several pages.
std::vector<std::wstring> NamesAt(const std::wstring& target, std::size_t count) {
  if (count == 1) return {target};
  std::vector<std::wstring> names;
  const PathParts parts = SplitExtension(target);
  for (std::size_t page = 1; page <= count; ++page) {
    names.push_back(PagePath(parts, static_cast<unsigned>(page)));
  }
  return names;
}

bool Exists(const std::wstring& path) { return IsFile(path) || IsFolder(path); }

// Any of the names is there, or (one file per page) the other form of the same
// name: the single file for pages, the first page for a single file.
bool Taken(const std::wstring& target, const std::vector<std::wstring>& names, bool onePerPage) {
  for (const std::wstring& name : names) {
    if (Exists(name)) return true;
  }
  if (!onePerPage) return false;
  return Exists(names.size() == 1 ? PagePath(SplitExtension(target), 1) : target);
}

// Renames each file without replacing anything; on the first name that is
// taken, the files renamed so far go back and the result is false.
bool MoveAllWithoutReplacing(const std::vector<std::wstring>& files,
                             const std::vector<std::wstring>& names) {
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (MoveFileExW(files[i].c_str(), names[i].c_str(), MOVEFILE_WRITE_THROUGH)) continue;
    const DWORD error = GetLastError();
    for (std::size_t j = 0; j < i; ++j) {
      if (!MoveFileExW(names[j].c_str(), files[j].c_str(), 0)) DeleteFileW(names[j].c_str());
    }
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return false;
    FailToPlace(names[i], error);
  }
  return true;
}

// Pages of an earlier result at `target` beyond the `count` files just placed.
void RemoveOtherPages(const std::wstring& target, std::size_t count) {
  const PathParts parts = SplitExtension(target);
  if (count > 1) DeleteFileW(target.c_str());
  for (auto page = static_cast<unsigned>(count == 1 ? 1 : count + 1); IsFile(PagePath(parts, page));
       ++page) {
    DeleteFileW(PagePath(parts, page).c_str());
  }
}

// Gives `file` the rights that the existing `replaced` has, before it takes
// that file's place, so that replacing a file never opens it to more users:
// its own entries and whether it inherits its folder's are kept (the
// inherited ones come from the folder, as they did). Nothing when `replaced`
// is missing: the new file then has its folder's rights, as any new file.
// Raises JobFailure when the rights cannot be read or given.
void KeepRightsOf(const std::wstring& replaced, const std::wstring& file) {
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR raw = nullptr;
  DWORD result = GetNamedSecurityInfoW(replaced.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                       nullptr, nullptr, &dacl, nullptr, &raw);
  if (result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND) return;
  const UniqueLocalMemory descriptor(raw);
  if (result == ERROR_SUCCESS) {
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(raw, &control, &revision);
    const SECURITY_INFORMATION inheritance = (control & SE_DACL_PROTECTED)
                                                 ? PROTECTED_DACL_SECURITY_INFORMATION
                                                 : UNPROTECTED_DACL_SECURITY_INFORMATION;
    result = SetNamedSecurityInfoW(const_cast<LPWSTR>(file.c_str()), SE_FILE_OBJECT,
                                   DACL_SECURITY_INFORMATION | inheritance, nullptr, nullptr, dacl,
                                   nullptr);
  }
  if (result != ERROR_SUCCESS) {
    throw JobFailure{L"The rights of " + replaced + L" cannot be given to its successor (error " +
                     std::to_wstring(result) + L"); it was left as it was."};
  }
}

}  // namespace

std::vector<std::wstring> PlaceUnderFreeName(const std::vector<std::wstring>& files,
                                             const std::wstring& target, bool onePerPage) {
  const PathParts parts = SplitExtension(target);
  for (unsigned n = 1; n <= kMostNumberedNames; ++n) {
    const std::wstring candidate = n == 1 ? target : NumberedPath(parts, n);
    std::vector<std::wstring> names = NamesAt(candidate, files.size());
    if (!Taken(candidate, names, onePerPage) && MoveAllWithoutReplacing(files, names)) {
      return names;
    }
  }
  throw JobFailure{L"No free numbered name is left for " + target + L"."};
}

std::vector<std::wstring> PlaceReplacing(const std::vector<std::wstring>& files,
                                         const std::wstring& target, bool onePerPage,
                                         unsigned long long deadline) {
  if (IsFolder(target))
    throw JobFailure{L"A folder is in the way of the output file " + target + L"."};
  std::vector<std::wstring> names = NamesAt(target, files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    for (;;) {
      WaitWhileHeld(names[i], deadline);
      KeepRightsOf(names[i], files[i]);
      if (MoveFileExW(files[i].c_str(), names[i].c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        break;
      }
      const DWORD error = GetLastError();
      // Opened by another program between the look and the rename: wait again.
      if (!IsHeldByAnother(names[i])) FailToPlace(names[i], error);
    }
  }
  if (onePerPage) RemoveOtherPages(target, files.size());
  return names;
}
