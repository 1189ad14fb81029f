// The bridge to the host system, taken only under Wine: when no Windows
// Ghostscript is installed, the host's runs instead, started through the
// host's shell and given host paths. On Windows none of this is used:
// HostProgramsAvailable is false there and HostPath finds no host path.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "program_runner.h"

// True under Wine with the host's shell at hand.
bool HostProgramsAvailable();

// The host system's path of a Windows path; nothing when it has none.
std::optional<std::wstring> HostPath(const std::wstring& windowsPath);

// Runs the host program `program` (its Windows path, such as
// "Z:\usr\bin\gs") with `arguments` (host paths where they name files),
// waiting at most `timeoutMs` for it to end. With a `watch`, as RunProgram:
// the program's output goes to a file beside the exit marker, read as it grows,
// and a cancel ends the program through the host's shell.
RunResult RunHostProgram(const std::wstring& program, const std::vector<std::wstring>& arguments,
                         unsigned long timeoutMs, const RunWatch* watch = nullptr);
