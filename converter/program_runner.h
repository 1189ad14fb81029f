// Starting a program without a window, and running one to its end.
#pragma once

#include <string>
#include <vector>

struct RunResult {
  bool finished = false;  // false: it could not be started or ran out of time
  unsigned long exitCode = 0;
  std::wstring failure;  // what went wrong when not finished
};

// Starts `program` with `arguments` and does not wait for it; false when it
// cannot be started.
bool StartProgram(const std::wstring& program, const std::vector<std::wstring>& arguments);

// Runs `program` with `arguments`, waiting at most `timeoutMs` for it to end
// (then it is ended).
RunResult RunProgram(const std::wstring& program, const std::vector<std::wstring>& arguments,
                     unsigned long timeoutMs);
