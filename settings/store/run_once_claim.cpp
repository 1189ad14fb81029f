#include "run_once_claim.h"

#include <windows.h>

#include <vector>

#include "automation_error.h"
#include "data_folder.h"
#include "ini_file.h"
#include "long_path.h"
#include "older_settings_files.h"
#include "printer_settings.h"
#include "save_file_names.h"
#include "settings_file_name.h"
#include "system_message.h"
#include "unique_resource.h"
#include "writer_liveness.h"

namespace {

[[noreturn]] void RaiseFileAccessError(const std::wstring& what, const std::wstring& file,
                                       const std::wstring& reason) {
  RaiseError(PrinterSettings::kFileAccessError,
             AutomationErrorText(PrinterSettings::kFileAccessError) + L": cannot " + what + L" '" +
                 file + L"'. " + reason);
}

// Removes what claims of jobs that no longer run left in `folder`: such a file
// is never read again, and its settings (a password, say) should not stay.
void RemoveAbandonedClaims(const std::wstring& folder) noexcept {
  try {
    const std::wstring prefix = LongPath(folder) + L"\\";
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(FindFirstFileW((prefix + kClaimedFilePattern).c_str(), &found));
    if (!search) return;
    do {
      const auto claimer = ClaimedFileWriter(found.cFileName);
      if (claimer && !IsRunning(*claimer)) DeleteFileW((prefix + found.cFileName).c_str());
    } while (FindNextFileW(search.get(), &found));
  } catch (...) {
    // What stays is removed by a later job.
  }
}

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::optional<RunOnceClaim> ClaimRunOnceSettings(const std::wstring& instance) {
  const std::wstring folder = GetDataFolder();
  RemoveAbandonedClaims(folder);
  const std::wstring claimed =
      LongPath(folder + L"\\" + ClaimedFileName({GetCurrentProcessId(), GetCurrentThreadId()}));
  std::vector<std::wstring> places{SettingsFileName(folder, true, instance)};
  for (std::wstring& older : OlderSettingsFiles(true, instance)) places.push_back(std::move(older));
  for (const std::wstring& place : places) {
    const std::wstring path = LongPath(place);
    if (!MoveFileExW(path.c_str(), claimed.c_str(), 0)) {
      const DWORD reason = GetLastError();
      if (IsMissing(reason)) continue;
      RaiseFileAccessError(L"claim", place, SystemMessage(reason));
    }
    IniFile file;
    if (!file.Load(claimed)) {
      // Unread settings go back where they were rather than be lost.
      MoveFileExW(claimed.c_str(), path.c_str(), 0);
      RaiseFileAccessError(L"read", place, file.LastErrorMessage());
    }
    return RunOnceClaim{claimed, SettingsSection(file.Data())};
  }
  return std::nullopt;
}

void ReturnRunOnceSettings(const RunOnceClaim& claim, const std::wstring& instance) {
  const std::wstring path = LongPath(SettingsFileName(GetDataFolder(), true, instance));
  if (MoveFileExW(claim.file.c_str(), path.c_str(), 0)) return;
  const DWORD reason = GetLastError();
  if (reason == ERROR_ALREADY_EXISTS || reason == ERROR_FILE_EXISTS)
    DeleteFileW(claim.file.c_str());
}

void RemoveClaimedSettings(const std::wstring& file) {
  if (DeleteFileW(file.c_str())) return;
  const DWORD reason = GetLastError();
  if (!IsMissing(reason)) RaiseFileAccessError(L"delete", file, SystemMessage(reason));
}
