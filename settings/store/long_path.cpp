#include "long_path.h"

#include <windows.h>

#include <vector>

#include "save_file_names.h"
#include "system_error.h"

std::wstring LongPath(const std::wstring& path) {
  if (path.starts_with(L"\\\\?\\")) return path;
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) ThrowLastError();
    if (length < buffer.size()) return LongPathForm(std::wstring_view(buffer.data(), length));
    buffer.resize(length);
  }
}
