// The registry path split: any text, and a split that puts the path back
// together exactly, with a known root and a key path that is never empty.
#include "fuzz_text.h"
#include "registry_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring path = DecodeUnits(data, size);
  const std::optional<RegistryPath> split = SplitRegistryPath(path);
  if (!split) return 0;
  const std::size_t rootEnd = path.find(L'\\');
  if (rootEnd == std::wstring::npos) Finding("split of a path without a backslash");
  if (ParseRegistryRoot(path.substr(0, rootEnd)) != split->root) Finding("root differs");
  if (split->keyPath.empty()) Finding("empty key path");
  if (path.find(L'\0') != std::wstring::npos) Finding("split of a path holding a null");
  if (split->valueName.find(L'\\') != std::wstring::npos) Finding("value name holds a backslash");
  if (path.substr(rootEnd + 1) != split->keyPath + L'\\' + split->valueName) {
    Finding("key path and value name do not give the path back");
  }
  return 0;
}
