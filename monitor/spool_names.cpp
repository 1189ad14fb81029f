#include "spool_names.h"

#include <windows.h>
#include <objbase.h>

#include "monitor_texts.h"
#include "session_id.h"
#include "user_environment.h"

std::optional<std::wstring> GetSpoolFileName(const std::wstring& sessionId) {
  WorkAreaOfCall workArea;
  return GetSpoolFileName(sessionId, workArea);
}

std::optional<std::wstring> GetSpoolFileName(const std::wstring& sessionId,
                                             WorkAreaOfCall& workArea) {
  const std::optional<std::wstring> folder = workArea.Get();
  if (!folder) return std::nullopt;
  return *folder + sessionId + monitor_texts::kSpoolFileSuffix;
}

std::wstring NewSessionId() {
  GUID guid;
  if (FAILED(CoCreateGuid(&guid))) return L"x";
  return FormatSessionId(guid.Data1, guid.Data2, guid.Data3, guid.Data4);
}
