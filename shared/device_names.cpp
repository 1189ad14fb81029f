#include "device_names.h"

#include <array>

namespace {

constexpr wchar_t kSuperscriptOne = 0x00B9;
constexpr wchar_t kSuperscriptTwo = 0x00B2;
constexpr wchar_t kSuperscriptThree = 0x00B3;

wchar_t FoldAsciiUpper(wchar_t c) {
  return (c >= L'a' && c <= L'z') ? wchar_t(c - L'a' + L'A') : c;
}

bool StartsWithWord(std::wstring_view text, std::wstring_view upperWord) {
  if (text.size() < upperWord.size()) return false;
  for (std::size_t i = 0; i < upperWord.size(); ++i) {
    if (FoldAsciiUpper(text[i]) != upperWord[i]) return false;
  }
  return true;
}

bool IsPortDigit(wchar_t c) {
  return (c >= L'1' && c <= L'9') || c == kSuperscriptOne || c == kSuperscriptTwo ||
         c == kSuperscriptThree;
}

// The length of the device word that `name` starts with (3 or 4), 0 for none.
std::size_t DeviceWordLength(std::wstring_view name) {
  static constexpr std::array<std::wstring_view, 4> kPlain = {L"CON", L"PRN", L"AUX", L"NUL"};
  for (std::wstring_view word : kPlain) {
    if (StartsWithWord(name, word)) return word.size();
  }
  if ((StartsWithWord(name, L"COM") || StartsWithWord(name, L"LPT")) && name.size() > 3 &&
      IsPortDigit(name[3])) {
    return 4;
  }
  return 0;
}

}  // namespace

bool IsDeviceName(std::wstring_view name) {
  const std::size_t word = DeviceWordLength(name);
  if (word == 0) return false;
  const std::wstring_view rest = name.substr(word, name.find(L'.') - word);
  return rest.find_first_not_of(L' ') == std::wstring_view::npos;
}

std::wstring DeviceSafeName(std::wstring name) {
  if (IsDeviceName(name)) name.insert(DeviceWordLength(name), 1, L'_');
  return name;
}
