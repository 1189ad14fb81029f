// Device names: the rule agrees with a plain model of Windows' (the text before
// the first dot, trailing blanks dropped, upper-cased over A-Z, is one of the
// device words), an extension added changes nothing, and the safe form is no
// device name and differs only by one "_" after the device word.
#include "device_names.h"
#include "fuzz_text.h"

namespace {

bool ModelIsDevice(const std::wstring& name) {
  std::wstring base = name.substr(0, name.find(L'.'));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  for (wchar_t& c : base) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL") return true;
  return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
         std::wstring_view(L"123456789\u00B9\u00B2\u00B3").find(base[3]) != std::wstring_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring name = DecodeUnits(data, size);
  const bool device = IsDeviceName(name);
  if (device != ModelIsDevice(name)) Finding("rule differs from the model");
  if (IsDeviceName(name + L".pdf") != device) Finding("an extension changes the answer");
  const std::wstring safe = DeviceSafeName(name);
  if (IsDeviceName(safe)) Finding("safe name is a device name");
  if (!device && safe != name) Finding("a name that is no device was changed");
  const std::size_t mark = safe.find(L'_');
  if (device && (mark > 4 || safe.substr(0, mark) + safe.substr(mark + 1) != name)) {
    Finding("safe name differs by more than one underscore after the device word");
  }
  return 0;
}
