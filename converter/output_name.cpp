#include "output_name.h"

#include <algorithm>
#include <array>
#include <cwctype>

#include "character_rules.h"
#include "path_names.h"

namespace {

constexpr std::size_t kMaxNameLength = 200;

// A token's value made safe as part of a file name.
std::wstring SafePart(std::wstring value) {
  std::replace_if(value.begin(), value.end(), IsControlCharacter, L'_');
  return SafeFileName(std::move(value));
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

bool IsDeviceName(std::wstring_view name) {
  const std::wstring_view base = name.substr(0, name.find(L'.'));
  static constexpr std::array<std::wstring_view, 4> kPlain = {L"CON", L"PRN", L"AUX", L"NUL"};
  for (std::wstring_view device : kPlain) {
    if (EqualsNoCase(base, device)) return true;
  }
  return base.size() == 4 &&
         (EqualsNoCase(base.substr(0, 3), L"COM") || EqualsNoCase(base.substr(0, 3), L"LPT")) &&
         base[3] >= L'1' && base[3] <= L'9';
}

bool IsValidName(std::wstring_view name, std::size_t maxLength) {
  if (name.empty() || name.size() > maxLength) return false;
  if (name.back() == L' ' || name.back() == L'.') return false;
  if (!std::all_of(name.begin(), name.end(), IsFileNameCharacter)) return false;
  return !IsDeviceName(name);
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// The components of `path` from `start` on, each a valid name.
bool ComponentsValid(std::wstring_view path, std::size_t start) {
  while (start <= path.size()) {
    std::size_t end = path.find(L'\\', start);
    if (end == std::wstring_view::npos) end = path.size();
    const std::wstring_view component = path.substr(start, end - start);
    if (!IsValidName(component, 255)) return false;
    start = end + 1;
  }
  return true;
}

}  // namespace

std::optional<std::wstring> ExpandFileNameTemplate(std::wstring_view fileNameTemplate,
                                                   const TemplateValues& values) {
  std::wstring title = SafePart(values.title);
  if (title.empty()) title = L"document";
  const std::array<std::pair<std::wstring_view, std::wstring>, 6> tokens = {{
      {L"<title>", std::move(title)},
      {L"<printer>", SafePart(values.printer)},
      {L"<user>", SafePart(values.user)},
      {L"<date>", SafePart(values.date)},
      {L"<time>", SafePart(values.time)},
      {L"<session>", SafePart(values.session)},
  }};
  std::wstring name;
  std::size_t i = 0;
  while (i < fileNameTemplate.size()) {
    bool replaced = false;
    if (fileNameTemplate[i] == L'<') {
      for (const auto& [token, value] : tokens) {
        if (EqualsNoCase(fileNameTemplate.substr(i, token.size()), token)) {
          name += value;
          i += token.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) name.push_back(fileNameTemplate[i++]);
    if (name.size() > 32 * kMaxNameLength) return std::nullopt;
  }
  if (!IsValidFileName(name)) return std::nullopt;
  return name;
}

bool IsValidFileName(std::wstring_view name) { return IsValidName(name, kMaxNameLength); }

bool IsUsableOutputPath(std::wstring_view path) {
  if (path.size() >= 32767) return false;
  if (path.size() > 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\') {
    return ComponentsValid(path, 3);
  }
  // "\\server\share\name": no device namespace ("\\.\", "\\?\").
  if (path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'.' &&
      path[2] != L'?') {
    const std::size_t share = path.find(L'\\', 2);
    if (share == std::wstring_view::npos ||
        path.find(L'\\', share + 1) == std::wstring_view::npos) {
      return false;
    }
    return ComponentsValid(path, 2);
  }
  return false;
}

PathParts SplitExtension(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  const std::size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash) ||
      dot == (slash == std::wstring::npos ? 0 : slash + 1)) {
    return {path, L""};
  }
  return {path.substr(0, dot), path.substr(dot)};
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring NumberedPath(const PathParts& parts, unsigned n) {
  return parts.stem + L" (" + std::to_wstring(n) + L")" + parts.extension;
}

std::wstring PagePath(const PathParts& parts, unsigned page) {
  return parts.stem + L"-" + std::to_wstring(page) + parts.extension;
}
