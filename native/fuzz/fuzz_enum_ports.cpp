// The EnumPorts buffer: any set of port names, either level and any buffer
// size. The bytes needed are exactly the entries and their strings, a buffer
// that is too small is left untouched, and a large enough one holds the
// entries from its start and every string inside it.
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_text.h"
#include "port_info_buffer.h"

namespace {

std::wstring CText(FuzzedDataProvider& provider, std::size_t maxBytes) {
  std::wstring text = ConsumeUnits(provider, maxBytes);
  text.resize(std::wcslen(text.c_str()));
  return text;
}

using BYTE = unsigned char;

std::uint32_t StringBytes(const std::wstring& text) {
  return static_cast<std::uint32_t>((text.size() + 1) * sizeof(wchar_t));
}

// The text a returned pointer names, read byte-wise (strings are packed with
// no alignment), after checking that it lies wholly in the string area: past
// the entries and inside the buffer.
std::wstring StringInBuffer(const wchar_t* pointer, const BYTE* stringArea, const BYTE* end) {
  const auto* start = reinterpret_cast<const BYTE*>(pointer);
  if (start < stringArea || start >= end) Finding("string pointer outside the string area");
  std::wstring text;
  for (const BYTE* at = start;; at += sizeof(wchar_t)) {
    if (at + sizeof(wchar_t) > end) Finding("string runs past the buffer");
    wchar_t unit;
    std::memcpy(&unit, at, sizeof unit);
    if (unit == L'\0') return text;
    text.push_back(unit);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::uint32_t level = provider.ConsumeIntegralInRange<std::uint32_t>(0, 3);
  const std::wstring monitorName = CText(provider, 64);
  const std::wstring description = CText(provider, 64);
  std::vector<std::wstring> names(provider.ConsumeIntegralInRange(0, 12));
  for (std::wstring& name : names) name = CText(provider, 96);
  const std::vector<std::wstring_view> views(names.begin(), names.end());

  std::uint32_t expectedNeeded = 0;
  for (const std::wstring& name : names) {
    if (level == 1) expectedNeeded += sizeof(PortInfo1) + StringBytes(name);
    if (level == 2) {
      expectedNeeded += sizeof(PortInfo2) + StringBytes(name) + StringBytes(monitorName) +
                        StringBytes(description);
    }
  }

  // A buffer of exactly the chosen size on the heap, so that the sanitizer
  // sees any byte written outside it; null for a size of 0 now and then.
  const std::uint32_t bufferSize =
      provider.ConsumeIntegralInRange<std::uint32_t>(0, expectedNeeded + 64);
  const bool nullBuffer = bufferSize == 0 && provider.ConsumeBool();
  std::unique_ptr<BYTE[]> buffer(nullBuffer ? nullptr : new BYTE[bufferSize]);
  if (buffer) std::memset(buffer.get(), 0xA5, bufferSize);

  const PortBufferFill fill =
      FillPortBuffer(level, views, monitorName, description, buffer.get(), bufferSize);
  if (fill.needed != expectedNeeded) Finding("bytes needed are not exact");

  if (expectedNeeded > bufferSize) {
    if (fill.result != PortBufferResult::kTooSmall) Finding("short buffer not refused");
    for (std::uint32_t i = 0; i < bufferSize; ++i) {
      if (buffer[i] != 0xA5) Finding("a refused buffer was written");
    }
    return 0;
  }
  if (level != 1 && level != 2 && !names.empty()) {
    if (fill.result != PortBufferResult::kUnknownLevel || fill.returned != 0) {
      Finding("unknown level not refused");
    }
    return 0;
  }
  if (fill.result != PortBufferResult::kFilled) Finding("a large enough buffer was refused");
  if (fill.returned != names.size()) Finding("count returned differs");
  const BYTE* base = buffer.get();
  const BYTE* end = base + bufferSize;
  const BYTE* strings = base + names.size() * (level == 1 ? sizeof(PortInfo1) : sizeof(PortInfo2));
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (level == 1) {
      PortInfo1 entry;
      std::memcpy(&entry, base + i * sizeof entry, sizeof entry);
      if (StringInBuffer(entry.pName, strings, end) != names[i]) Finding("level 1 name differs");
    } else {
      PortInfo2 entry;
      std::memcpy(&entry, base + i * sizeof entry, sizeof entry);
      if (StringInBuffer(entry.pPortName, strings, end) != names[i] ||
          StringInBuffer(entry.pMonitorName, strings, end) != monitorName ||
          StringInBuffer(entry.pDescription, strings, end) != description || entry.fPortType != 0 ||
          entry.Reserved != 0) {
        Finding("level 2 entry differs");
      }
    }
  }
  return 0;
}
