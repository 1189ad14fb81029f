#include "thread_state.h"

#include <windows.h>

#include <new>

namespace {

// One thread-local slot, taken on first use and kept for the life of the process.
DWORD StateSlot() {
  static const DWORD slot = TlsAlloc();
  if (slot == TLS_OUT_OF_INDEXES) throw std::bad_alloc();
  return slot;
}

}  // namespace

ThreadState& CurrentThreadState() {
  const DWORD slot = StateSlot();
  auto* state = static_cast<ThreadState*>(TlsGetValue(slot));
  if (!state) {
    state = new ThreadState();
    if (!TlsSetValue(slot, state)) {
      delete state;
      throw std::bad_alloc();
    }
  }
  return *state;
}

void ReleaseThreadState() noexcept {
  try {
    const DWORD slot = StateSlot();
    delete static_cast<ThreadState*>(TlsGetValue(slot));
    TlsSetValue(slot, nullptr);
  } catch (...) {
  }
}
