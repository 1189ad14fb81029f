// AddPort, ConfigurePort and DeletePort: their messages go through the converter.
#include <gtest/gtest.h>

#include "job_bed.h"

namespace {

using Values = std::vector<std::pair<std::wstring, std::wstring>>;
using Ports = std::vector<std::wstring>;

constexpr wchar_t kCannotRemove[] = L"An unknown error has occurred\n\nCouldn't remove the port.";

class PortAdmin : public JobBed {
 protected:
  BOOL Delete(const wchar_t* name) {
    return monitor_.Table().pfnDeletePort(nullptr, nullptr, const_cast<LPWSTR>(name));
  }
  std::wstring OnlyCall() {
    const auto calls = WaitForConverterCalls(AppFolder(), 1, 10000);
    Sleep(100);  // a second, unexpected call would show here
    const auto all = ReadConverterCalls(AppFolder());
    EXPECT_EQ(all.size(), 1u);
    return calls.empty() ? L"" : calls[0].commandLine;
  }
  LoadedMonitor monitor_{{L"Alpha:", L"Beta:", L"Gamma:"}};
  const Values original_{{L"1", L"Alpha:"}, {L"2", L"Beta:"}, {L"3", L"Gamma:"}};
};

TEST_F(PortAdmin, AddPortIsRefusedWithAMessage) {
  EXPECT_TRUE(monitor_.Table().pfnAddPort(nullptr, nullptr, const_cast<LPWSTR>(L"Monitor")));
  EXPECT_EQ(OnlyCall(), MessageCommandLine(L"You cannot add a new port of this type. Please use "
                                           L"the existing one.",
                                           L"exclamation"));
  EXPECT_EQ(monitor_.Key().Values(), original_);
  EXPECT_EQ(monitor_.Spooler().PortNames().size(), 3u);
}

TEST_F(PortAdmin, ConfigurePortIsRefusedWithAMessage) {
  EXPECT_TRUE(monitor_.Table().pfnConfigurePort(nullptr, nullptr, const_cast<LPWSTR>(L"Beta:")));
  EXPECT_EQ(OnlyCall(), MessageCommandLine(L"This port cannot be configured.", L"information"));
  EXPECT_EQ(monitor_.Key().Values(), original_);
}

TEST_F(PortAdmin, DeletePortRenumbersTheRestAndAFreshLoadKeepsTheOrder) {
  EXPECT_EQ(monitor_.Spooler().PortNames(), (Ports{L"Gamma:", L"Beta:", L"Alpha:"}));
  EXPECT_TRUE(Delete(L"bETA:"));
  EXPECT_EQ(OnlyCall(), MessageCommandLine(L"Port removed", L"information"));
  EXPECT_EQ(monitor_.Key().Values(), (Values{{L"1", L"Alpha:"}, {L"2", L"Gamma:"}}));
  EXPECT_EQ(monitor_.Spooler().PortNames(), (Ports{L"Gamma:", L"Alpha:"}));
  monitor_.Reload();
  EXPECT_EQ(monitor_.Spooler().PortNames(), (Ports{L"Gamma:", L"Alpha:"}));
}

TEST_F(PortAdmin, DeletePortOfAnUnknownNameReportsAnErrorAndChangesNothing) {
  SetLastError(kErrorSentinel);
  EXPECT_TRUE(Delete(L"Delta:"));
  EXPECT_EQ(OnlyCall(), MessageCommandLine(kCannotRemove, L"error"));
  EXPECT_EQ(monitor_.Key().Values(), original_);
}

TEST_F(PortAdmin, DeletePortOfAnOpenOrBusyPortIsRefused) {
  HANDLE port = monitor_.Spooler().OpenPort(L"Beta:");
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(Delete(L"Beta:"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BUSY));
  EXPECT_EQ(OnlyCall(), MessageCommandLine(kCannotRemove, L"error"));
  EXPECT_EQ(monitor_.Key().Values(), original_);
  EXPECT_EQ(monitor_.Spooler().PortNames().size(), 3u);

  // Closed while its document is still in progress: still refused.
  ASSERT_TRUE(monitor_.Spooler().StartDoc(port, L"Printer", 1, L"Doc"));
  ASSERT_TRUE(monitor_.Spooler().ClosePort(port));
  EXPECT_FALSE(Delete(L"Beta:"));
  EXPECT_EQ(monitor_.Key().Values(), original_);
  ASSERT_TRUE(monitor_.Spooler().EndDoc(port));
  EXPECT_TRUE(Delete(L"Beta:"));
  EXPECT_EQ(monitor_.Key().Values(), (Values{{L"1", L"Alpha:"}, {L"2", L"Gamma:"}}));
}

TEST_F(PortAdmin, DeletePortThatCannotBeSavedKeepsThePortAndReportsTheError) {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, monitor_.Key().Root().c_str());
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(Delete(L"Beta:"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(OnlyCall(), MessageCommandLine(kCannotRemove, L"error"));
  EXPECT_EQ(monitor_.Spooler().PortNames(), (Ports{L"Gamma:", L"Beta:", L"Alpha:"}));
}

// Port administration runs as an administrator or the spooler: its entries go
// only to the caller's own file in "LogFolder", never into the work area of the
// user whose job ran last, who could point it anywhere.
TEST_F(PortAdmin, PortActionsLogOnlyToTheLogFolder) {
  logFolder_.Remove();
  HANDLE port = monitor_.Spooler().OpenPort(L"Alpha:");
  ASSERT_TRUE(monitor_.Spooler().StartDoc(port, L"Printer", 1, L"Doc"));
  ASSERT_TRUE(monitor_.Spooler().EndDoc(port));
  ASSERT_TRUE(monitor_.Spooler().ClosePort(port));
  const std::wstring workAreaLog = WorkArea() + L"port.log";
  const std::string jobLog = ReadFileBytes(workAreaLog);
  ASSERT_NE(jobLog.find("[MakePDF] Status: Success"), std::string::npos) << jobLog;

  EXPECT_TRUE(monitor_.Table().pfnConfigurePort(nullptr, nullptr, const_cast<LPWSTR>(L"Beta:")));
  EXPECT_TRUE(Delete(L"Delta:"));
  EXPECT_EQ(ReadFileBytes(workAreaLog), jobLog);

  logFolder_.Set(LogFolder());
  EXPECT_TRUE(monitor_.Table().pfnAddPort(nullptr, nullptr, const_cast<LPWSTR>(L"Monitor")));
  EXPECT_NE(Log().find("[GUIMessage] GUIMessage: You cannot add a new port of this type."),
            std::string::npos)
      << Log();
  EXPECT_EQ(ReadFileBytes(workAreaLog), jobLog);
}

TEST(PortAdminGap, DeletePortRenumbersOnlyThePortsBeforeTheGap) {
  MessageBoxWatcher boxes;
  PortRegistryKey key(CurrentTestName(), {L"a", L"b"});
  key.SetValue(L"4", L"d");
  SpoolerStandIn spooler(MonitorLibraryPath());
  spooler.Initialize(key.Root());
  EXPECT_TRUE(spooler.Table().pfnDeletePort(nullptr, nullptr, const_cast<LPWSTR>(L"a")));
  EXPECT_EQ(key.Values(), (Values{{L"1", L"b"}, {L"4", L"d"}}));
}

}  // namespace
