// The error boundary of every spooler entry and export: the body runs inside it,
// nothing is thrown across it, and a failure always carries a non-zero error.
#pragma once

#include <windows.h>

#include "monitor_state.h"
#include "unexpected_exception.h"

struct EntryResult {
  BOOL value = TRUE;
  DWORD error = ERROR_SUCCESS;  // set as last error when value is FALSE
};

inline EntryResult Succeeded() { return {TRUE, ERROR_SUCCESS}; }
inline EntryResult Failed(DWORD error) { return {FALSE, error}; }

// Runs `body` (returning EntryResult) and sets the last error of a failure.
template <typename Body>
BOOL RunExport(Body&& body) noexcept {
  EntryResult result;
  try {
    result = body();
  } catch (...) {
    result = Failed(UnexpectedExceptionError());
  }
  if (!result.value) SetLastError(result.error != ERROR_SUCCESS ? result.error : ERROR_GEN_FAILURE);
  return result.value;
}

// A spooler entry: as RunExport, and a missing port table fails every entry
// with ERROR_NOT_ENOUGH_MEMORY.
template <typename Body>
BOOL RunEntry(Body&& body) noexcept {
  return RunExport([&] { return Monitor().ports ? body() : Failed(ERROR_NOT_ENOUGH_MEMORY); });
}
