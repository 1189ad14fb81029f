#include "monitor_state.h"

#include <new>
#include <utility>

#include "monitor_texts.h"

MonitorState& Monitor() {
  static MonitorState state;
  return state;
}

void AttachMonitor() {
  MonitorState& state = Monitor();
  InitializeCriticalSection(&state.lock);
  state.ports =
      new (std::nothrow) PortList(monitor_texts::kMonitorName, monitor_texts::kPortDescription);
}

void DetachMonitor() {
  MonitorState& state = Monitor();
  if (state.event) CloseHandle(std::exchange(state.event, nullptr));
  state.registryRoot.clear();
  state.registryRoot.shrink_to_fit();
  delete std::exchange(state.ports, nullptr);
}
