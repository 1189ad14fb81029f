// Starts a Windows program with some environment variables set or removed and
// waits for it. Used to run a program (a script host, a probe) under a chosen
// APPDATA/USERPROFILE without touching the test's own environment.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "command_line_quoting.h"

struct EnvironmentChange {
  std::wstring name;
  std::optional<std::wstring> value;  // nothing: the variable is removed
};

// The calling process's environment with `changes` applied, as a
// CreateProcessW block (sorted, double-NUL ended).
std::wstring EnvironmentBlockWith(const std::vector<EnvironmentChange>& changes);

// Runs `commandLine` with the changed environment in `workingFolder` (empty:
// the caller's), waits up to `timeoutMs` and returns its exit code; the child
// is terminated on time-out and -1 returned. Nothing on a failed start.
std::optional<DWORD> RunWithEnvironment(const std::wstring& commandLine,
                                        const std::vector<EnvironmentChange>& changes,
                                        const std::wstring& workingFolder = {},
                                        DWORD timeoutMs = 60000);

// The id of a process that has just ended (a command shell that exits at
// once): files named after their writer's process stand for a dead writer
// with it. 0 when the shell could not be started.
DWORD EndedProcessId();
