// Where Ghostscript is found and how it runs (see ghostscript.h).
#include <windows.h>

#include "file_system.h"
#include "ghostscript.h"
#include "machine_settings.h"
#include "product_names.h"
#include "registry_read.h"
#include "unique_resource.h"
#include "wine_host_bridge.h"

namespace {

const wchar_t kHostGhostscript[] = L"Z:\\usr\\bin\\gs";

// The console program beside the GS_DLL of the latest release under
// Ghostscript's own key.
std::wstring FromGhostscriptRegistry() {
  UniqueRegKey releases;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\GPL Ghostscript", 0, KEY_READ | KEY_WOW64_64KEY,
                    releases.put()) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring newest;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(releases.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    if (newest.empty() || IsLaterRelease(name, newest)) newest = name;
  }
  if (newest.empty()) return {};
  const std::wstring dll = RegReadText(L"HKLM\\SOFTWARE\\GPL Ghostscript\\" + newest + L"\\GS_DLL");
  const std::size_t slash = dll.rfind(L'\\');
  if (slash == std::wstring::npos) return {};
  return dll.substr(0, slash + 1) + kGhostscriptConsoleProgram;
}

}  // namespace

std::optional<GhostscriptProgram> FindGhostscript() {
  if (std::wstring setting = RegReadText(std::wstring(product_names::kSettingsValuePath) +
                                         machine_settings::kGhostscript.name);
      !setting.empty() && IsFile(setting)) {
    return GhostscriptProgram{setting, false};
  }
  if (std::wstring registered = FromGhostscriptRegistry();
      !registered.empty() && IsFile(registered)) {
    return GhostscriptProgram{registered, false};
  }
  if (HostProgramsAvailable() && IsFile(kHostGhostscript)) {
    return GhostscriptProgram{kHostGhostscript, true};
  }
  return std::nullopt;
}

std::optional<std::wstring> PathForGhostscript(const GhostscriptProgram& program,
                                               const std::wstring& windowsPath) {
  if (!program.onHost) return windowsPath;
  return HostPath(windowsPath);
}

RunResult RunGhostscript(const GhostscriptProgram& program,
                         const std::vector<std::wstring>& arguments, unsigned long timeoutMs,
                         const RunWatch* watch) {
  return program.onHost ? RunHostProgram(program.path, arguments, timeoutMs, watch)
                        : RunProgram(program.path, arguments, timeoutMs, watch);
}
