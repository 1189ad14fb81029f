#include "settings_file_name.h"

#include "character_rules.h"

namespace {

// What no file name can hold: the reserved characters and C0 controls. DEL and
// C1 controls may stand in a Windows file name, so names holding them keep the
// files they always had.
bool CannotStandInFileName(wchar_t c) { return c < 0x20 || IsReservedInFileName(c); }

// dataFolder + "\" + the file's base name + ("-" + `part` unless empty) + ".ini".
std::wstring FileNameWithPart(const std::wstring& dataFolder, bool isRunOnce,
                              const std::wstring& part) {
  std::wstring name = dataFolder;
  name += isRunOnce ? L"\\runonce" : L"\\settings";
  if (!part.empty()) name.append(1, L'-').append(part);
  name += L".ini";
  return name;
}

}  // namespace

std::wstring SettingsFileName(const std::wstring& dataFolder, bool isRunOnce,
                              const std::wstring& instance) {
  return FileNameWithPart(dataFolder, isRunOnce, InstanceFileNamePart(instance));
}

std::optional<std::wstring> VerbatimSettingsFileName(const std::wstring& dataFolder, bool isRunOnce,
                                                     const std::wstring& instance) {
  bool colon = false;
  for (const wchar_t c : instance) {
    if (c == L':') {
      colon = true;
    } else if (CannotStandInFileName(c)) {
      return std::nullopt;
    }
  }
  if (!colon) return std::nullopt;
  return FileNameWithPart(dataFolder, isRunOnce, instance);
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
