#include "ghostscript_release.h"

#include <cstddef>

namespace {

// The next dot-separated part of `text` from `position`, which moves past it.
std::wstring_view NextPart(std::wstring_view text, std::size_t& position) {
  const std::size_t dot = text.find(L'.', position);
  const std::size_t end = dot == std::wstring_view::npos ? text.size() : dot;
  const std::wstring_view part = text.substr(position, end - position);
  position = end == text.size() ? end : end + 1;
  return part;
}

bool IsNumber(std::wstring_view part) {
  if (part.empty()) return false;
  for (const wchar_t c : part) {
    if (c < L'0' || c > L'9') return false;
  }
  return true;
}

// <0, 0 or >0 as `a` is an earlier, the same or a later part than `b`.
int CompareParts(std::wstring_view a, std::wstring_view b) {
  if (IsNumber(a) && IsNumber(b)) {
    while (a.size() > 1 && a.front() == L'0') a.remove_prefix(1);
    while (b.size() > 1 && b.front() == L'0') b.remove_prefix(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  }
  return a.compare(b);
}

}  // namespace

bool IsLaterRelease(std::wstring_view candidate, std::wstring_view current) {
  std::size_t atCandidate = 0;
  std::size_t atCurrent = 0;
  while (atCandidate < candidate.size() || atCurrent < current.size()) {
    const int order = CompareParts(NextPart(candidate, atCandidate), NextPart(current, atCurrent));
    if (order != 0) return order > 0;
  }
  return false;
}
