// The wall time one run of a benchmark's step takes.
#pragma once

#include <chrono>

template <typename Run>
double Milliseconds(Run run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}
