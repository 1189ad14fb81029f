// The EnumPorts buffer: the entries of the ports from its start, their strings
// packed downwards from its end. Pure code: the entry records mirror the
// spooler's PORT_INFO_1W and PORT_INFO_2W (port_list.cpp checks that they
// match), so the layout is also built natively and fuzzed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

struct PortInfo1 {  // PORT_INFO_1W
  wchar_t* pName;
};

struct PortInfo2 {  // PORT_INFO_2W
  wchar_t* pPortName;
  wchar_t* pMonitorName;
  wchar_t* pDescription;
  std::uint32_t fPortType;
  std::uint32_t Reserved;
};

// Bytes of one entry at a level (1 or 2); 0 for others.
constexpr std::uint32_t PortEntryBytes(std::uint32_t level) {
  return level == 1 ? sizeof(PortInfo1) : level == 2 ? sizeof(PortInfo2) : 0;
}

// Bytes one port needs at a level: its entry and the entry's strings with their
// terminators (lengths in code units). Level 1 has the port name only; level 2
// also the monitor name and the port description.
constexpr std::uint32_t PortInfoBytes(std::uint32_t level, std::size_t portName,
                                      std::size_t monitorName, std::size_t description) {
  const auto stringBytes = [](std::size_t length) {
    return static_cast<std::uint32_t>((length + 1) * sizeof(wchar_t));
  };
  switch (level) {
    case 1:
      return PortEntryBytes(1) + stringBytes(portName);
    case 2:
      return PortEntryBytes(2) + stringBytes(portName) + stringBytes(monitorName) +
             stringBytes(description);
    default:
      return 0;
  }
}

enum class PortBufferResult {
  kFilled,
  kTooSmall,      // nothing written; `returned` not set
  kUnknownLevel,  // a level other than 1 and 2 with ports to list; nothing written
};

struct PortBufferFill {
  PortBufferResult result;
  std::uint32_t needed;    // the bytes all entries and strings need, in every case
  std::uint32_t returned;  // entries written
};

// Fills `buffer` (`bufferSize` bytes, may be null when the size is 0) with one
// entry per port, in the order given.
PortBufferFill FillPortBuffer(std::uint32_t level, const std::vector<std::wstring_view>& portNames,
                              std::wstring_view monitorName, std::wstring_view description,
                              unsigned char* buffer, std::uint32_t bufferSize);
