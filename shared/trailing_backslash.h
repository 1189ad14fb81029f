// The trailing backslash of a folder path, added or taken away: header-only,
// for every binary (the monitor too).
#pragma once

#include <string>

// The path without any trailing backslash.
inline std::wstring StripTrailingBackslashes(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

// The path with one trailing backslash fewer, if it has one.
inline std::wstring DropOneTrailingBackslash(std::wstring path) {
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

// The text with a backslash appended unless it already ends in one.
inline std::wstring WithTrailingBackslash(std::wstring text) {
  if (text.empty() || text.back() != L'\\') text += L'\\';
  return text;
}
