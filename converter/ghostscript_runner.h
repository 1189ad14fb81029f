// Finding and running Ghostscript.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct GhostscriptProgram {
  std::wstring path;
  // A program of the host system under a compatibility layer: it is started
  // through the host's shell, gets host paths and gives no process handle.
  bool hostProgram = false;
};

// Ghostscript: the "Ghostscript" setting, Ghostscript's own registry entries,
// the PATH, and under a compatibility layer the host's gs.
std::optional<GhostscriptProgram> FindGhostscript();

struct RunResult {
  bool finished = false;  // false: it could not be started or ran out of time
  unsigned long exitCode = 0;
  std::wstring failure;  // what went wrong when not finished
};

// Converts with `arguments` (Windows paths inside them are handed on as they
// are; host paths are made by the caller through HostPath), waiting at most
// `timeoutMs` for the program to end.
RunResult RunGhostscript(const GhostscriptProgram& program,
                         const std::vector<std::wstring>& arguments, unsigned long timeoutMs);

// The host system's path of a Windows path, or the path itself where there is no host.
std::wstring HostPath(const std::wstring& windowsPath);
