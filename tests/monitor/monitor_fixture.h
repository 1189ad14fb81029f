// A monitor loaded by the spooler stand-in over a fresh port list in the registry.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "error_sentinel.h"
#include "message_box_watcher.h"
#include "scratch_folder.h"
#include "spooler_stand_in.h"

inline std::wstring CurrentTestName() {
  const auto* info = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  return std::wstring(name.begin(), name.end());
}

inline std::wstring MonitorLibraryPath() { return WindowsPathOf(CORVALE_DLL); }

class LoadedMonitor {
 public:
  explicit LoadedMonitor(const std::vector<std::wstring>& ports) : key_(CurrentTestName(), ports) {
    Reload();
  }
  // Frees the library and loads it afresh over the same key, as the spooler does.
  void Reload() {
    spooler_.reset();
    spooler_ = std::make_unique<SpoolerStandIn>(MonitorLibraryPath());
    table_ = spooler_->Initialize(key_.Root());
  }
  const PortRegistryKey& Key() const { return key_; }
  const SpoolerStandIn& Spooler() const { return *spooler_; }
  const MONITOR& Table() const { return table_->Monitor; }
  const MONITOREX* TableWithSize() const { return table_; }

 private:
  PortRegistryKey key_;
  std::unique_ptr<SpoolerStandIn> spooler_;
  const MONITOREX* table_ = nullptr;
};
