// The product's machine-wide settings, which the installation fills and the
// monitor only reads.
#pragma once

#include <optional>
#include <string>

// A text value of HKEY_LOCAL_MACHINE\SOFTWARE\Quillmar\PDF Writer\Settings
// (REG_SZ, or REG_EXPAND_SZ as stored); any other type, or data over 8150 bytes,
// counts as absent.
std::optional<std::wstring> ReadSetting(const wchar_t* name);
