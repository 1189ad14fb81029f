#include "text_rules.h"

#include <algorithm>

namespace {

wchar_t FoldAsciiUpper(wchar_t c) {
  return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c;
}

}  // namespace

bool PortNamesEqual(std::wstring_view a, std::wstring_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return FoldAsciiUpper(x) == FoldAsciiUpper(y); });
}

std::wstring CappedText(const wchar_t* text, size_t maxUnits) {
  if (!text) return {};
  std::wstring_view view(text);
  return std::wstring(view.substr(0, maxUnits));
}

std::wstring FolderOfPath(std::wstring_view path) {
  const size_t lastBackslash = path.rfind(L'\\');
  if (lastBackslash == std::wstring_view::npos) return {};
  return std::wstring(path.substr(0, lastBackslash + 1));
}

std::string NarrowForLog(std::wstring_view text) {
  std::string result;
  result.reserve(text.size());
  for (wchar_t c : text) result += c <= 0xFF ? static_cast<char>(c) : '?';
  return result;
}
