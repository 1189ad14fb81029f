#include "output_name.h"

#include <algorithm>
#include <array>
#include <cwctype>

#include "character_rules.h"
#include "device_names.h"
#include "path_names.h"

namespace {

constexpr std::size_t kMaxNameLength = 200;

// A token's value made safe as part of a file name.
std::wstring SafePart(std::wstring value) {
  std::replace_if(value.begin(), value.end(), IsControlCharacter, L'_');
  return SafeFileName(std::move(value));
}

// The document name as the title token's value: safe, without blanks and dots
// at either end, "document" when nothing is left.
std::wstring TitlePart(const std::wstring& title) {
  const std::wstring part = SafePart(title);
  const std::size_t first = part.find_first_not_of(L" .");
  if (first == std::wstring::npos) return L"document";
  return part.substr(first, part.find_last_not_of(L" .") + 1 - first);
}

// A name made with tokens, fitted to the rules: a device name made safe, cut to
// the longest name (never between the two halves of a surrogate pair), and
// without trailing blanks and dots.
std::wstring FittedName(std::wstring name) {
  name = DeviceSafeName(std::move(name));
  if (name.size() > kMaxNameLength) {
    const bool splitsPair =
        name[kMaxNameLength - 1] >= 0xD800 && name[kMaxNameLength - 1] <= 0xDBFF;
    name.resize(splitsPair ? kMaxNameLength - 1 : kMaxNameLength);
  }
  name.erase(name.find_last_not_of(L" .") + 1);
  return name;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
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
  const std::array<std::pair<std::wstring_view, std::wstring>, 6> tokens = {{
      {L"<title>", TitlePart(values.title)},
      {L"<printer>", SafePart(values.printer)},
      {L"<user>", SafePart(values.user)},
      {L"<date>", SafePart(values.date)},
      {L"<time>", SafePart(values.time)},
      {L"<session>", SafePart(values.session)},
  }};
  std::wstring name;
  bool anyToken = false;
  std::size_t i = 0;
  while (i < fileNameTemplate.size()) {
    bool replaced = false;
    if (fileNameTemplate[i] == L'<') {
      for (const auto& [token, value] : tokens) {
        if (EqualsNoCase(fileNameTemplate.substr(i, token.size()), token)) {
          name += value;
          i += token.size();
          replaced = anyToken = true;
          break;
        }
      }
    }
    if (!replaced) name.push_back(fileNameTemplate[i++]);
    if (name.size() > 32 * kMaxNameLength) return std::nullopt;
  }
  // A name that the document (or another value) made too long, end in a blank
  // or a dot, or a device name is saved under a fitting one; a template that is
  // such a name as it stands is refused.
  if (anyToken) name = FittedName(std::move(name));
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
