#include "port_entries.h"

#include "entry_boundary.h"
#include "monitor_state.h"
#include "user_message.h"

BOOL WINAPI MonEnumPorts(LPWSTR /*pName*/, DWORD Level, LPBYTE pPorts, DWORD cbBuf,
                         LPDWORD pcbNeeded, LPDWORD pcReturned) {
  return RunEntry([&] {
    if (!pcbNeeded || !pcReturned) return Failed(ERROR_INVALID_PARAMETER);
    BOOL listed;
    DWORD error;
    {
      MonitorLock lock;
      listed = Monitor().ports->Enum(Level, pPorts, cbBuf, pcbNeeded, pcReturned);
      error = GetLastError();
    }
    if (listed) return Succeeded();
    // Shown after the lock is released, so that the box blocks no other entry.
    if (error == ERROR_INVALID_LEVEL) ShowUserMessage(nullptr, L"Error", L"invalid level", MB_OK);
    return Failed(error);
  });
}

BOOL WINAPI MonOpenPort(LPWSTR pName, PHANDLE pHandle) {
  return RunEntry([&] {
    if (!pHandle) return Failed(ERROR_INVALID_PARAMETER);
    MonitorLock lock;
    PortRecord* record = Monitor().ports->Find(pName);
    if (!record) return Failed(ERROR_INVALID_PARAMETER);
    record->stateFlags |= kPortOpen;
    *pHandle = record;
    return Succeeded();
  });
}

BOOL WINAPI MonClosePort(HANDLE hPort) {
  return RunEntry([&] {
    if (!hPort) return Failed(ERROR_INVALID_HANDLE);
    MonitorLock lock;
    static_cast<PortRecord*>(hPort)->stateFlags &= ~kPortOpen;
    return Succeeded();
  });
}

BOOL WINAPI MonReadPort(HANDLE, LPBYTE, DWORD, LPDWORD) {
  return RunEntry([] { return Succeeded(); });
}

BOOL WINAPI MonAddPortEx(LPWSTR, DWORD, LPBYTE, LPWSTR) {
  return RunEntry([] { return Succeeded(); });
}
