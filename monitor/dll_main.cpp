// Library entry points: DllMain and InitializePrintMonitor with the monitor table.
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <cstddef>

#include "job_capture.h"
#include "monitor_event.h"
#include "monitor_state.h"
#include "port_entries.h"
#include "port_list.h"

namespace {

// The size field of the table: the 14 entries, without the slots after them.
constexpr DWORD kMonitorTableBytes = offsetof(MONITOR, pfnXcvOpenPort);
static_assert(kMonitorTableBytes == 14 * sizeof(void*));
// The platform's figures: the table has 56 bytes in a 32-bit build and 112 in a
// 64-bit one; a level-1 list of one port named with four characters needs 14 and
// 18 bytes; a level-2 entry has 20 and 32 bytes.
constexpr bool kIs32Bit = sizeof(void*) == 4;
static_assert(kMonitorTableBytes == (kIs32Bit ? 56 : 112));
static_assert(PortInfoBytes(1, 4, 0, 0) == (kIs32Bit ? 14 : 18));
static_assert(PortEntryBytes(1) == (kIs32Bit ? 4 : 8));
static_assert(PortEntryBytes(2) == (kIs32Bit ? 20 : 32));

// The legacy monitor table preceded by its size. The size covers the 14 entries;
// the three slots after them (read by some spoolers) stay null.
MONITOREX BuildMonitorTable() {
  MONITOREX table{};
  table.dwMonitorSize = kMonitorTableBytes;
  MONITOR& m = table.Monitor;
  m.pfnEnumPorts = MonEnumPorts;          //  1: ports at level 1 or 2
  m.pfnOpenPort = MonOpenPort;            //  2: port record as handle, marked open
  m.pfnOpenPortEx = nullptr;              //  3: not provided
  m.pfnStartDocPort = MyStartDocPort;     //  4: new session, fresh log, spool file
  m.pfnWritePort = MonWritePort;          //  5: bytes into the spool file
  m.pfnReadPort = MonReadPort;            //  6: reads nothing
  m.pfnEndDocPort = MonEndDocPort;        //  7: converter started, event pulsed, job deleted
  m.pfnClosePort = MonClosePort;          //  8: open mark cleared
  m.pfnAddPort = MonAddPort;              //  9: refused, with a message
  m.pfnAddPortEx = MonAddPortEx;          // 10: does nothing
  m.pfnConfigurePort = MonConfigurePort;  // 11: refused, with a message
  m.pfnDeletePort = MonDeletePort;        // 12: port removed from list and registry
  m.pfnGetPrinterDataFromPort = nullptr;  // 13: not provided
  m.pfnSetPortTimeOuts = nullptr;         // 14: not provided
  m.pfnXcvOpenPort = nullptr;             // past the table: null
  m.pfnXcvDataPort = nullptr;
  m.pfnXcvClosePort = nullptr;
  return table;
}

MONITOREX g_monitorTable = BuildMonitorTable();

}  // namespace

// Process attach: the global lock and the port table; thread notifications off.
// Process detach: the event closed, the root and the table freed; the registry is
// not written. Returns TRUE for every reason.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    AttachMonitor();
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    DetachMonitor();
  }
  return TRUE;
}

// Called once by the spooler after loading: keeps the registry root (a key under
// HKEY_LOCAL_MACHINE), creates the monitor event (every user may wait on it) and loads the port
// list from the numbered values of that key. Returns the table in every case.
extern "C" LPMONITOREX WINAPI InitializePrintMonitor(LPWSTR pRegistryRoot) {
  MonitorState& state = Monitor();
  try {
    state.registryRoot = pRegistryRoot ? pRegistryRoot : L"";
  } catch (...) {
    state.registryRoot.clear();
  }
  if (state.event) CloseHandle(state.event);  // a repeated call keeps one handle
  state.event = CreateMonitorEvent();
  if (state.ports) {
    MonitorLock lock;
    try {
      state.ports->Load(state.registryRoot.c_str());
    } catch (...) {
      // A port that could not be added is left out.
    }
  }
  return &g_monitorTable;
}
