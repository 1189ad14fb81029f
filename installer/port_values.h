// The monitor's port list as stored in its registry key: values "1", "2", ...
// each holding one port name. These rules need no operating-system call.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Port names compare like the monitor compares them, and file names alike:
// only A-Z fold to a-z.
bool EqualIgnoringAsciiCase(const std::wstring& a, const std::wstring& b);

// The value name under which `port` joins the stored list `ports` (the texts of
// "1", "2", ... in order), or nothing when the list holds it already.
std::optional<std::wstring> PortValueToAdd(const std::vector<std::wstring>& ports,
                                           const std::wstring& port);
