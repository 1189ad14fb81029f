// Process-wide state of the monitor: the global lock, the port table, the
// registry root and the monitor event.
#pragma once

#include <windows.h>

#include <string>

#include "port_list.h"

struct MonitorState {
  CRITICAL_SECTION lock;      // guards the port table, its records and their job data
  PortList* ports = nullptr;  // null when it could not be allocated
  std::wstring registryRoot;  // key under HKEY_LOCAL_MACHINE that holds the port list
  HANDLE event = nullptr;     // the named monitor event, pulsed at the end of each job
};

MonitorState& Monitor();

// Process attach: the lock and the port table. Process detach: event, root, table.
void AttachMonitor();
void DetachMonitor();

// Holds the global lock for its lifetime.
class MonitorLock {
 public:
  MonitorLock() { EnterCriticalSection(&Monitor().lock); }
  ~MonitorLock() { LeaveCriticalSection(&Monitor().lock); }
  MonitorLock(const MonitorLock&) = delete;
  MonitorLock& operator=(const MonitorLock&) = delete;
};
