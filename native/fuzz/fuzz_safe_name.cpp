// The safe-name rule: any name gives one without the nine characters a file
// name cannot hold and without trailing dots, changed nowhere else, and the
// rule applied again changes nothing.
#include "fuzz_text.h"
#include "path_names.h"

namespace {

constexpr std::wstring_view kUnsafe = L"\\/:*?\"<>|";

void Check(const std::wstring& name, const std::wstring& safe) {
  if (safe.find_first_of(kUnsafe) != std::wstring::npos) Finding("unsafe character kept");
  if (!safe.empty() && safe.back() == L'.') Finding("trailing dot kept");
  if (safe.size() > name.size()) Finding("safe name grew");
  for (std::size_t i = 0; i < safe.size(); ++i) {
    const bool unsafe = kUnsafe.find(name[i]) != std::wstring_view::npos;
    if (safe[i] != (unsafe ? L'_' : name[i])) Finding("character changed");
  }
  for (std::size_t i = safe.size(); i < name.size(); ++i) {
    if (name[i] != L'.') Finding("something other than trailing dots dropped");
  }
  if (SafeFileName(safe) != safe) Finding("rule applied twice changes the name");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring name = DecodeUnits(data, size);
  Check(name, SafeFileName(name));
  if (SafeFolderName(name) != SafeFileName(name)) Finding("folder rule differs from file rule");
  return 0;
}
