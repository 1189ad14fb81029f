#include "com_test_support.h"

#include <cstdio>

std::string HresultText(HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(result));
  return text;
}
