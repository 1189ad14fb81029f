#include <cstdio>
#include <cstdlib>

#include "fuzz_text.h"

void Finding(const char* what) {
  std::fprintf(stderr, "FINDING: %s\n", what);
  std::abort();
}
