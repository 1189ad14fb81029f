#include "file_system.h"

#include <windows.h>

#include <optional>

#include "automation_error.h"
#include "path_names.h"
#include "system_message.h"
#include "unique_resource.h"

namespace {

// The attributes of the first entry that a directory search for `pattern` finds.
std::optional<DWORD> FirstMatchAttributes(const std::wstring& pattern) {
  // A NUL would cut the path short and test another entry.
  if (pattern.empty() || pattern.find(L'\0') != std::wstring::npos) return std::nullopt;
  WIN32_FIND_DATAW found{};
  UniqueFindHandle search(FindFirstFileW(pattern.c_str(), &found));
  if (!search) return std::nullopt;
  return found.dwFileAttributes;
}

// The automation error number and text of a failed folder creation.
std::int32_t FolderErrorNumber(DWORD win32Error) {
  switch (win32Error) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_DRIVE:
      return 76;
    case ERROR_NOT_READY:
      return 71;
    case ERROR_DISK_FULL:
      return 61;
    case ERROR_INVALID_NAME:
      return 52;
    default:
      return 75;
  }
}

}  // namespace

bool IsFolder(const std::wstring& path) noexcept {
  try {
    const auto attributes = FirstMatchAttributes(StripTrailingBackslashes(path));
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  } catch (...) {
    return false;
  }
}

bool IsFile(const std::wstring& path) noexcept {
  try {
    const auto attributes = FirstMatchAttributes(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  } catch (...) {
    return false;
  }
}

void MkDirRecurse(const std::wstring& path) {
  const FolderPlan plan = PlanFolderTree(path);
  for (const FolderStep& step : plan.steps) {
    if (!step.mayCreate || IsFolder(step.path)) continue;
    std::int32_t number = FolderErrorNumber(ERROR_INVALID_NAME);
    if (step.path.find(L'\0') == std::wstring::npos) {
      if (CreateDirectoryW(step.path.c_str(), nullptr)) continue;
      const DWORD reason = GetLastError();
      // Another process or thread may have made it since the test: that is success.
      if (reason == ERROR_ALREADY_EXISTS && IsFolder(step.path)) continue;
      number = FolderErrorNumber(reason);
    }
    throw AutomationError(number, DefaultErrorSource(),
                          L"Error creating folder in function MkDirRecurse. Target=" + plan.target +
                              L", Current=" + step.path + L". " + AutomationErrorText(number));
  }
}
