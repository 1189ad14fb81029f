// A bed for jobs through the monitor when something fails under them: the
// monitor loaded by the spooler stand-in over one port, the printing user's
// TEMP, "AppFolder" and "LogFolder" set by each test, a message-box watcher,
// and a scratch folder under the fault tests' root (so that it can be locked
// or put on the small disk).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_converter_calls.h"
#include "locked_folder.h"
#include "message_box_watcher.h"
#include "own_log_name.h"
#include "registry_override.h"
#include "scratch_folder.h"
#include "spooler_stand_in.h"

inline constexpr wchar_t kFaultPort[] = L"FAULT:";
inline constexpr wchar_t kFaultPrinter[] =
    L"Fault Printer";  // no such printer: job control is skipped

class MonitorFaultBed : public testing::Test {
 protected:
  MonitorFaultBed();

  // Loads the monitor afresh (as the spooler does around each call).
  void LoadMonitor();
  const SpoolerStandIn& Spooler() const { return *spooler_; }

  // One job of the given writes on the port; each WritePort's reported count
  // lands in `written`. False when an entry returned FALSE.
  bool PrintJob(const std::vector<std::string>& writes, std::vector<DWORD>* written = nullptr);

  std::wstring Folder(const std::wstring& name) const { return folder_ + L"\\" + name; }
  std::wstring MakeFolder(const std::wstring& name) const;
  std::wstring WorkArea() const { return Folder(L"temp\\Quillmar\\PDF Writer\\"); }
  std::string Log() const { return ReadFileBytes(Folder(L"log\\" + OwnLogName(L"port"))); }

  std::wstring folder_;
  MessageBoxWatcher boxes_;
  UserEnvironmentOverride temp_{L"TEMP"};
  UserEnvironmentOverride tmp_{L"TMP"};
  MonitorSettingOverride appFolder_{L"AppFolder"};
  MonitorSettingOverride logFolder_{L"LogFolder"};

 private:
  std::unique_ptr<PortRegistryKey> ports_;
  std::unique_ptr<SpoolerStandIn> spooler_;
};
