#include "session_id.h"

#include <cstdio>

std::wstring FormatSessionId(uint32_t data1, uint16_t data2, uint16_t data3,
                             const uint8_t (&data4)[8]) {
  wchar_t buffer[50];
  swprintf(buffer, std::size(buffer), L"%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x",
           static_cast<unsigned>(data1), static_cast<unsigned>(data2), static_cast<unsigned>(data3),
           data4[0], data4[1], data4[2], data4[3], data4[4], data4[5], data4[6], data4[7]);
  return buffer;
}
