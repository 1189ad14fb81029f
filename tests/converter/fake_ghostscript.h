// The record that fake_ghostscript.exe shares with the test that starts the
// converters: the test makes it, each run of the fake counts itself in.
#pragma once

#include <windows.h>

inline constexpr wchar_t kFakeGhostscriptRuns[] = L"Local\\Quillmar test Ghostscript runs";
inline constexpr LONG kMostFakeRuns = 64;

struct FakeGhostscriptRuns {
  volatile LONG running;           // runs going on now
  volatile LONG peak;              // the most that went on at once
  volatile LONG started;           // runs begun; the first entries below are theirs
  LONG jobs[kMostFakeRuns];        // each run's job, as its spool file holds it
  DWORD processes[kMostFakeRuns];  // each run's process id
};
