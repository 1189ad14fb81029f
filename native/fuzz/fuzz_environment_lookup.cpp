// The environment-block lookup: any block and any bound, never a unit read
// past the bound, and the value of the last entry whose whole name matches.
#include <algorithm>
#include <memory>

#include "environment_lookup.h"
#include "fuzz_text.h"

namespace {

// The same rule written the plain way: entries up to the first empty one.
std::optional<std::wstring> Expected(std::wstring_view block, std::wstring_view name) {
  std::optional<std::wstring> found;
  while (!block.empty() && block.front() != L'\0') {
    const std::wstring_view entry = block.substr(0, block.find(L'\0'));
    const std::size_t equals = entry.find(L'=');
    if (equals != std::wstring_view::npos && entry.substr(0, equals) == name) {
      found = std::wstring(entry.substr(equals + 1));
    }
    block.remove_prefix(std::min(block.size(), entry.size() + 1));
  }
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::wstring name = ConsumeUnits(provider, 64);
  const std::wstring block = DecodeUnits(provider.ConsumeRemainingBytesAsString());
  // A heap copy of exactly the bound's length: a read past it is a sanitizer finding.
  const auto copy = std::make_unique<wchar_t[]>(block.size());
  std::copy(block.begin(), block.end(), copy.get());
  const std::optional<std::wstring> found =
      FindEnvironmentValue(block.empty() ? nullptr : copy.get(), block.size(), name);
  if (found != Expected(block, name)) Finding("lookup differs from the plain rule");
  return 0;
}
