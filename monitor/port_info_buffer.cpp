#include "port_info_buffer.h"

#include <cstring>

namespace {

// Copies the text and a terminator just below `end`; returns where it starts.
unsigned char* PackStringBelow(std::wstring_view text, unsigned char* end) {
  const std::size_t bytes = text.size() * sizeof(wchar_t);
  unsigned char* start = end - bytes - sizeof(wchar_t);
  if (bytes) std::memcpy(start, text.data(), bytes);
  constexpr wchar_t kTerminator = L'\0';
  std::memcpy(start + bytes, &kTerminator, sizeof kTerminator);
  return start;
}

wchar_t* AsText(unsigned char* at) { return reinterpret_cast<wchar_t*>(at); }

}  // namespace

PortBufferFill FillPortBuffer(std::uint32_t level, const std::vector<std::wstring_view>& portNames,
                              std::wstring_view monitorName, std::wstring_view description,
                              unsigned char* buffer, std::uint32_t bufferSize) {
  PortBufferFill fill{PortBufferResult::kFilled, 0, 0};
  for (std::wstring_view name : portNames) {
    fill.needed += PortInfoBytes(level, name.size(), monitorName.size(), description.size());
  }
  if (fill.needed > bufferSize || (fill.needed > 0 && !buffer)) {
    fill.result = PortBufferResult::kTooSmall;
    return fill;
  }
  if (!portNames.empty() && level != 1 && level != 2) {
    fill.result = PortBufferResult::kUnknownLevel;
    return fill;
  }
  if (portNames.empty()) return fill;
  unsigned char* entry = buffer;
  unsigned char* stringEnd = buffer + bufferSize;
  for (std::wstring_view name : portNames) {
    if (level == 1) {
      auto* info = reinterpret_cast<PortInfo1*>(entry);
      stringEnd = PackStringBelow(name, stringEnd);
      info->pName = AsText(stringEnd);
    } else {
      auto* info = reinterpret_cast<PortInfo2*>(entry);
      stringEnd = PackStringBelow(monitorName, stringEnd);
      info->pMonitorName = AsText(stringEnd);
      stringEnd = PackStringBelow(description, stringEnd);
      info->pDescription = AsText(stringEnd);
      stringEnd = PackStringBelow(name, stringEnd);
      info->pPortName = AsText(stringEnd);
      info->fPortType = 0;
      info->Reserved = 0;
    }
    entry += PortEntryBytes(level);
    ++fill.returned;
  }
  return fill;
}
