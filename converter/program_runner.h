// Starting a program without a window, and running one to its end.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct RunResult {
  bool finished = false;   // false: it could not be started, ran out of time or was cancelled
  bool cancelled = false;  // ended because the watch's cancel event was set
  unsigned long exitCode = 0;
  std::wstring failure;  // what went wrong when not finished
};

// What a caller sees of a run while it goes.
struct RunWatch {
  // The program's standard output, in the pieces it comes in (on a thread of its own).
  std::function<void(std::string_view)> onOutput;
  // An event (a HANDLE) that ends the program when it is set; null: none.
  void* cancel = nullptr;

  // Whether the cancel event is set.
  bool Cancelled() const;
};

// Starts `program` with `arguments` and does not wait for it; false when it
// cannot be started.
bool StartProgram(const std::wstring& program, const std::vector<std::wstring>& arguments);

// Runs `program` with `arguments`, waiting at most `timeoutMs` for it to end
// (then it is ended).
// With a `watch`, its output goes to the watch, and it ends when the watch's
// cancel event is set: the program has ended when this returns.
RunResult RunProgram(const std::wstring& program, const std::vector<std::wstring>& arguments,
                     unsigned long timeoutMs, const RunWatch* watch = nullptr);
