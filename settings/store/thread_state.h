// Module data kept per thread: each thread that uses the component has its own
// copy and never sees another thread's.
#pragma once

#include <string>

struct ThreadState {
  std::wstring dataFolder;        // the resolved data folder; empty until resolved
  std::wstring sharedDataFolder;  // the "USERDATA" folder when dataFolder is the user's part of it
};

// The calling thread's state, created on first use.
ThreadState& CurrentThreadState();

// Frees the calling thread's state (the thread leaves the library).
void ReleaseThreadState() noexcept;

// Frees the calling thread's state and the slot itself (the library is unloaded).
void FreeThreadStateSlot() noexcept;
