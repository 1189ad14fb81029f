#include "program_arguments.h"

std::wstring_view ArgumentText(std::wstring_view commandLine) noexcept {
  size_t pos = 0;
  if (!commandLine.empty() && commandLine.front() == L'"') {
    // A quoted path runs to the next quote; there is no escape inside it.
    pos = commandLine.find(L'"', 1);
    pos = pos == std::wstring_view::npos ? commandLine.size() : pos + 1;
  }
  pos = commandLine.find_first_of(L" \t", pos);
  if (pos == std::wstring_view::npos) return {};
  pos = commandLine.find_first_not_of(L" \t", pos);
  return pos == std::wstring_view::npos ? std::wstring_view{} : commandLine.substr(pos);
}
