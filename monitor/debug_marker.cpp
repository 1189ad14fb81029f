#include "debug_marker.h"

#include <optional>

#include "debug_log.h"
#include "file_utilities.h"
#include "machine_settings.h"

BOOL IsDebug() {
  const std::optional<std::wstring> folder = ReadMachineSetting(machine_settings::kAppFolder);
  if (!folder) {
    DebugLog(L"IsDebug", L"Unable to read AppFolder setting from the registry", nullptr);
    return FALSE;
  }
  return SpoolFilesKeptIn(*folder);
}

void RemoveSpoolFileUnlessDebug(const wchar_t* source, const std::wstring& spoolFile) {
  if (IsDebug() || !FileExists(spoolFile)) return;
  DebugLog(source, L"Remove PS file", spoolFile);
  DeleteFileW(spoolFile.c_str());
}
