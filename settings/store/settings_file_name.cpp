#include "settings_file_name.h"

namespace {

// The characters that no file name may hold besides the control characters.
// (A shared rule of reserved file-name characters is to take its place.)
constexpr std::wstring_view kReservedInFileNames = L"\\/:*?\"<>|";

bool CannotStandInFileName(wchar_t c) {
  return c < 0x20 || kReservedInFileNames.find(c) != std::wstring_view::npos;
}

}  // namespace

std::wstring SettingsFileName(const std::wstring& dataFolder, bool isRunOnce,
                              const std::wstring& instance) {
  std::wstring name = dataFolder;
  name += isRunOnce ? L"\\runonce" : L"\\settings";
  if (!instance.empty()) name.append(1, L'-').append(InstanceFileNamePart(instance));
  name += L".ini";
  return name;
}

std::wstring InstanceFileNamePart(std::wstring_view instance) {
  constexpr std::wstring_view kDigits = L"0123456789ABCDEF";
  std::wstring part;
  part.reserve(instance.size());
  for (const wchar_t c : instance) {
    if (CannotStandInFileName(c)) {
      part.append(1, L'%').append(1, kDigits[c >> 4]).append(1, kDigits[c & 0xF]);
    } else {
      part.append(1, c);
    }
  }
  return part;
}
