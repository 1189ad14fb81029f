// The figures of the running process that show a leak: open handles and
// private bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct ProcessFigures {
  unsigned long handles = 0;
  std::size_t privateBytes = 0;
};

ProcessFigures CurrentProcessFigures();

// "<label>: N handles, M KiB private" for the test's output.
std::string Describe(const char* label, const ProcessFigures& figures);
