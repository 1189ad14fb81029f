#include "environment_lookup.h"

std::optional<std::wstring> FindEnvironmentValue(const wchar_t* block, size_t maxUnits,
                                                 std::wstring_view name) {
  std::optional<std::wstring> result;
  if (!block) return result;
  size_t pos = 0;
  while (pos < maxUnits && block[pos] != L'\0') {
    size_t end = pos;
    while (end < maxUnits && block[end] != L'\0') ++end;
    const std::wstring_view entry(block + pos, end - pos);
    const size_t equals = entry.find(L'=');
    if (equals != std::wstring_view::npos && entry.substr(0, equals) == name) {
      result = std::wstring(entry.substr(equals + 1));
    }
    pos = end + 1;
  }
  return result;
}
