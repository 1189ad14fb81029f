#include "locked_folder.h"

#include "scratch_folder.h"

namespace {

std::string UnixPathOf(const std::wstring& windowsPath) {
  std::string path;
  for (wchar_t c : windowsPath.substr(2)) path += c == L'\\' ? '/' : static_cast<char>(c);
  return path;
}

// Whether a new file can be created in the folder (the probe is removed again);
// asked only once no change of the folder is under way.
bool Writable(const std::wstring& folder) {
  const std::wstring probe = folder + L"\\probe.tmp";
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  DeleteFileW(probe.c_str());
  return true;
}

// The host's chattr is awaited by a marker file that the same shell writes once
// it is done, beside the folder's tree rather than in it: a probe file in the
// folder could be created just before the change and then never be removed.
bool SetImmutable(const std::wstring& folder, bool immutable) {
  static int changes = 0;
  const std::wstring marker = ScratchRootWindows() + L"\\chattr-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++changes) + L".done";
  DeleteFileW(marker.c_str());
  if (!StartHostShell(std::string("chattr ") + (immutable ? "+i" : "-i") + " '" +
                      UnixPathOf(folder) + "' && touch '" + UnixPathOf(marker) + "'")) {
    return false;
  }
  const bool done = WaitUntil([&] { return PathExists(marker); }, 10000);
  DeleteFileW(marker.c_str());
  return done && Writable(folder) != immutable;
}

}  // namespace

std::string ScratchRootUnix() { return RELIABILITY_SCRATCH; }
std::wstring ScratchRootWindows() { return WindowsPathOf(RELIABILITY_SCRATCH); }

std::wstring FreshScratchFolder(const std::wstring& name) {
  CreateDirectoryW(ScratchRootWindows().c_str(), nullptr);
  const std::wstring folder = ScratchRootWindows() + L"\\" + name;
  RemoveTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

bool StartHostShell(const std::string& command) {
  std::wstring commandLine =
      L"Z:\\bin\\sh -c \"" + std::wstring(command.begin(), command.end()) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &process)) {
    return false;
  }
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  return true;
}

LockedFolder::LockedFolder(std::wstring folder) : folder_(std::move(folder)) {
  locked_ = SetImmutable(folder_, true);
}

LockedFolder::~LockedFolder() { SetImmutable(folder_, false); }
