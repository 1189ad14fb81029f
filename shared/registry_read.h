// Read-only registry access by one full path "ROOT\key path\value name".
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "op_sys_info.h"
#include "registry_value.h"

// Reads one value. REG_SZ gives text, REG_EXPAND_SZ its text with the
// environment references expanded, REG_DWORD a signed integer, REG_BINARY
// bytes; every other type and every failure gives null. When `use64BitView` is
// true and the system predates XP, it is set to false. Never raises.
RegistryValue RegRead(const std::wstring& path, bool& use64BitView) noexcept;
// The same, deciding the 64-bit view by the system that `system` describes.
RegistryValue RegRead(const std::wstring& path, bool& use64BitView,
                      const COpSysInfo& system) noexcept;

// The text of a REG_SZ value, read in the 64-bit view; empty for a value of any
// other type and for a missing one.
std::wstring RegReadText(const std::wstring& path);

// Queries the value `valueName` (empty: the default value) of an open key into
// `result`. Returns 0, the failing registry call's error code, or -1 for a
// type that is not read. Never raises.
std::int32_t QueryRegValue(HKEY key, const std::wstring& valueName, RegistryValue& result) noexcept;
