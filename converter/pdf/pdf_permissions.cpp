#include "pdf_permissions.h"

#include <algorithm>
#include <array>
#include <cwctype>

#include "pdf_failure.h"

namespace {

struct PermissionWord {
  std::wstring_view word;
  bool PdfPermissions::*flag;
};

constexpr std::array<PermissionWord, 6> kWords = {{{L"print", &PdfPermissions::print},
                                                   {L"copy", &PdfPermissions::copy},
                                                   {L"modify", &PdfPermissions::modify},
                                                   {L"annotate", &PdfPermissions::annotate},
                                                   {L"fillforms", &PdfPermissions::fillForms},
                                                   {L"assemble", &PdfPermissions::assemble}}};

std::wstring LowerTrimmed(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring_view::npos) return {};
  text = text.substr(first, text.find_last_not_of(L" \t") - first + 1);
  std::wstring lower(text);
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  return lower;
}

PdfPermissions NoPermissions() {
  PdfPermissions none;
  for (const PermissionWord& entry : kWords) none.*entry.flag = false;
  return none;
}

}  // namespace

PdfPermissions ParsePermissions(std::wstring_view value) {
  const std::wstring whole = LowerTrimmed(value);
  if (whole.empty() || whole == L"all") return {};
  if (whole == L"none") return NoPermissions();
  PdfPermissions permissions = NoPermissions();
  for (std::size_t start = 0; start <= whole.size();) {
    const std::size_t comma = std::min(whole.find(L',', start), whole.size());
    const std::wstring word = LowerTrimmed(std::wstring_view(whole).substr(start, comma - start));
    bool known = false;
    for (const PermissionWord& entry : kWords) {
      if (word == entry.word) permissions.*entry.flag = known = true;
    }
    if (!known) {
      throw PdfFailure{
          L"permissions", std::wstring(value),
          L"\"" + word + L"\" is not a permission; allowed: " + std::wstring(kPermissionsAllowed)};
    }
    start = comma + 1;
  }
  return permissions;
}
