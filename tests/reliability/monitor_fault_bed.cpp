#include "monitor_fault_bed.h"

namespace {

std::wstring CurrentTestName() {
  const auto* info = testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = std::string(info->test_suite_name()) + "." + info->name();
  return std::wstring(name.begin(), name.end());
}

}  // namespace

MonitorFaultBed::MonitorFaultBed()
    : folder_(FreshScratchFolder(CurrentTestName())),
      ports_(std::make_unique<PortRegistryKey>(CurrentTestName(),
                                               std::vector<std::wstring>{kFaultPort})) {
  temp_.Set(MakeFolder(L"temp"));
  tmp_.Remove();
  appFolder_.Set(MakeFolder(L"app"));
  logFolder_.Set(MakeFolder(L"log"));
  EXPECT_TRUE(InstallFakeConverter(Folder(L"app")));
  LoadMonitor();
}

void MonitorFaultBed::LoadMonitor() {
  spooler_.reset();
  spooler_ = std::make_unique<SpoolerStandIn>(WindowsPathOf(CORVALE_DLL));
  ASSERT_TRUE(spooler_->Loaded());
  ASSERT_NE(spooler_->Initialize(ports_->Root()), nullptr);
}

std::wstring MonitorFaultBed::MakeFolder(const std::wstring& name) const {
  CreateDirectoryW(Folder(name).c_str(), nullptr);
  return Folder(name);
}

bool MonitorFaultBed::PrintJob(const std::vector<std::string>& writes,
                               std::vector<DWORD>* written) {
  HANDLE port = spooler_->OpenPort(kFaultPort);
  if (!port) return false;
  bool ok = spooler_->StartDoc(port, kFaultPrinter, 7, L"Fault report") != FALSE;
  for (const std::string& bytes : writes) {
    DWORD count = 0;
    ok = spooler_->Write(port, bytes, &count) && ok;
    if (written) written->push_back(count);
  }
  ok = spooler_->EndDoc(port) && ok;
  return spooler_->ClosePort(port) && ok;
}
