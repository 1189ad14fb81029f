#include "monitor_state.h"

#include <utility>

#include "monitor_texts.h"

MonitorState& Monitor() {
  static MonitorState state;
  return state;
}

void AttachMonitor() {
  MonitorState& state = Monitor();
  InitializeCriticalSection(&state.lock);
  // Without memory for the table the monitor loads, and every entry then
  // reports ERROR_NOT_ENOUGH_MEMORY.
  try {
    state.ports = new PortList(monitor_texts::kMonitorName, monitor_texts::kPortDescription);
  } catch (...) {
    state.ports = nullptr;
  }
}

void DetachMonitor() {
  MonitorState& state = Monitor();
  if (state.event) CloseHandle(std::exchange(state.event, nullptr));
  state.registryRoot.clear();
  state.registryRoot.shrink_to_fit();
  delete std::exchange(state.ports, nullptr);
}
