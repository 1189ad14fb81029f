// Puts the fake converter (a gui.exe that records how it was started) into a
// folder, and reads back its records.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct ConverterCall {
  std::wstring commandLine;
  std::vector<std::wstring> environment;  // "NAME=value" entries
  std::optional<std::wstring> Variable(const std::wstring& name) const;
};

// Copies the fake gui.exe into the folder; false when that fails.
bool InstallFakeConverter(const std::wstring& folder);

// The records left in the folder so far (in no particular order).
std::vector<ConverterCall> ReadConverterCalls(const std::wstring& folder);

// Waits until the folder holds at least `count` records; returns them.
std::vector<ConverterCall> WaitForConverterCalls(const std::wstring& folder, size_t count,
                                                 unsigned timeoutMs);
