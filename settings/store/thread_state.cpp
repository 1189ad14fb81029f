#include "thread_state.h"

#include <windows.h>

#include <atomic>
#include <new>

namespace {

std::atomic<DWORD> stateSlot{TLS_OUT_OF_INDEXES};

// The thread-local slot of the state, taken on first use.
DWORD StateSlot() {
  const DWORD taken = stateSlot.load();
  if (taken != TLS_OUT_OF_INDEXES) return taken;
  const DWORD fresh = TlsAlloc();
  if (fresh == TLS_OUT_OF_INDEXES) throw std::bad_alloc();
  DWORD expected = TLS_OUT_OF_INDEXES;
  if (stateSlot.compare_exchange_strong(expected, fresh)) return fresh;
  TlsFree(fresh);  // another thread was first
  return expected;
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
  const DWORD slot = stateSlot.load();
  if (slot == TLS_OUT_OF_INDEXES) return;
  delete static_cast<ThreadState*>(TlsGetValue(slot));
  TlsSetValue(slot, nullptr);
}

void FreeThreadStateSlot() noexcept {
  ReleaseThreadState();
  const DWORD slot = stateSlot.exchange(TLS_OUT_OF_INDEXES);
  if (slot != TLS_OUT_OF_INDEXES) TlsFree(slot);
}
