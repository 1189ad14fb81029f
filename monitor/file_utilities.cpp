#include "file_utilities.h"

#include <windows.h>

#include "trailing_backslash.h"
#include "unique_resource.h"

bool CreateFolderTree(const std::wstring& path) {
  if (FileExists(path)) return true;
  const std::wstring copy = DropOneTrailingBackslash(path);
  for (size_t pos = copy.find(L'\\'); pos != std::wstring::npos; pos = copy.find(L'\\', pos + 1)) {
    CreateDirectoryW(copy.substr(0, pos).c_str(), nullptr);
  }
  CreateDirectoryW(copy.c_str(), nullptr);
  return FileExists(copy);
}

bool FileExists(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  UniqueFindHandle search(FindFirstFileW(path.c_str(), &data));
  return static_cast<bool>(search);
}
