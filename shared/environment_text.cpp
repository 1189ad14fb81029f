#include "environment_text.h"

#include <windows.h>

#include <vector>

std::optional<std::wstring> ExpandEnvironmentReferences(const std::wstring& text) {
  std::vector<wchar_t> buffer(text.size() + 1);
  for (;;) {
    const DWORD needed =
        ExpandEnvironmentStringsW(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (needed == 0) return std::nullopt;
    if (needed <= buffer.size()) return std::wstring(buffer.data(), needed - 1);
    buffer.resize(needed);
  }
}
