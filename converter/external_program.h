// Running the external programs of a conversion (Ghostscript), on Windows or,
// under a compatibility layer, on the host system.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct ExternalProgram {
  std::wstring path;
  // A program of the host system under a compatibility layer: it is started
  // through the host's shell, gets host paths and gives no process handle.
  bool hostProgram = false;
};

struct RunResult {
  bool finished = false;  // false: it could not be started or ran out of time
  unsigned long exitCode = 0;
  std::wstring failure;  // what went wrong when not finished
};

// Runs `program` with `arguments` (paths in them must suit the program: see
// HostPath), waiting at most `timeoutMs` for it to end.
RunResult RunExternalProgram(const ExternalProgram& program,
                             const std::vector<std::wstring>& arguments, unsigned long timeoutMs);

// The host system's path of a Windows path; nothing when it has none.
std::optional<std::wstring> HostPath(const std::wstring& windowsPath);

// True under a compatibility layer that runs host programs.
bool HostProgramsAvailable();

// Ghostscript, from trusted places only: the machine-wide "Ghostscript"
// setting, then Ghostscript's own registry entries, and under a compatibility
// layer the host's gs. Never from the PATH, whose folders any user may be
// able to write to.
std::optional<ExternalProgram> FindGhostscript();
