// Text of a session id: a GUID as lower-case hexadecimal grouped 8-4-4-4-12.
#pragma once

#include <cstdint>
#include <string>

std::wstring FormatSessionId(uint32_t data1, uint16_t data2, uint16_t data3,
                             const uint8_t (&data4)[8]);
