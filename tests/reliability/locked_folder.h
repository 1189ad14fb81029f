// Folders that refuse changes for the length of a test. Tests run as root,
// where permissions do not bite, so a folder is made immutable with the host's
// chattr. Wine starts host programs without a process handle, so the change is
// awaited through a marker file that the host shell writes when it is done.
#pragma once

#include <windows.h>

#include <string>

// The scratch root of these tests on the host, and under Wine.
std::string ScratchRootUnix();
std::wstring ScratchRootWindows();

// A fresh folder <scratch root>/<name>, emptied of any earlier content.
std::wstring FreshScratchFolder(const std::wstring& name);

// Starts `command` in the host's shell; false when it could not be started.
bool StartHostShell(const std::string& command);

class LockedFolder {
 public:
  // Makes the folder (a Windows path under the scratch root) immutable: nothing
  // can be created, renamed or deleted in it. Check Locked() afterwards.
  explicit LockedFolder(std::wstring folder);
  // Makes it mutable again and waits until it is.
  ~LockedFolder();
  LockedFolder(const LockedFolder&) = delete;
  LockedFolder& operator=(const LockedFolder&) = delete;

  bool Locked() const { return locked_; }

 private:
  std::wstring folder_;
  bool locked_ = false;
};
