// The product's machine-wide settings: the values of one registry key that the
// installation (or an administrator) fills and the binaries only read. The
// key, the names of its values and the debug marker's rule are written here
// only; the monitor, the converter and the settings component ask this file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace machine_settings {

// Under HKEY_LOCAL_MACHINE.
inline constexpr wchar_t kKey[] = L"SOFTWARE\\Quillmar\\PDF Writer\\Settings";

// One value of the key, typed by what it holds: ReadMachineSetting of a
// Setting<std::wstring> gives text, of a Setting<std::uint32_t> a number.
template <typename Value>
struct Setting {
  const wchar_t* name;
};
using TextSetting = Setting<std::wstring>;
using NumberSetting = Setting<std::uint32_t>;

// The folder of the converter program and of the debug marker.
inline constexpr TextSetting kAppFolder{L"AppFolder"};
// Where "port.log" and the converter's "gui.log" go; unset, the work area.
inline constexpr TextSetting kLogFolder{L"LogFolder"};
// The settings component's fallback data folder.
inline constexpr TextSetting kUserData{L"USERDATA"};
// The full path of the Ghostscript program, before Ghostscript's own entries.
inline constexpr TextSetting kGhostscript{L"Ghostscript"};
// How many conversions of one user session run Ghostscript at once; unset or
// 0, one per processor (converter/conversion_turns.h).
inline constexpr NumberSetting kMaxConversions{L"MaxConversions"};

}  // namespace machine_settings

// The text of a setting: REG_SZ or REG_EXPAND_SZ data as stored, up to its first
// null or the end of its data. Nothing when the key or the value is missing,
// of another type, or longer than 8150 bytes.
std::optional<std::wstring> ReadMachineSetting(machine_settings::TextSetting setting);

// The number of a setting: REG_DWORD data of four bytes. Nothing when the key
// or the value is missing, or of another type or size.
std::optional<std::uint32_t> ReadMachineSetting(machine_settings::NumberSetting setting);

// The debug marker: while the application folder holds it, spool files are
// kept for inspection (the monitor keeps those of the jobs it cannot hand
// over, the converter those of every job).
bool SpoolFilesKeptIn(const std::wstring& appFolder);
