// The monitor table, the port list and the port-level entries, through the
// spooler stand-in.
#include <gtest/gtest.h>

#include "monitor_fixture.h"

namespace {

using Ports = std::vector<std::wstring>;

TEST(MonitorTable, HasFourteenSlotsThenThreeNulls) {
  LoadedMonitor monitor({});
  const MONITOREX* table = monitor.TableWithSize();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->dwMonitorSize, 14 * sizeof(void*));
  const MONITOR& m = table->Monitor;
  EXPECT_NE(m.pfnEnumPorts, nullptr);
  EXPECT_NE(m.pfnOpenPort, nullptr);
  EXPECT_EQ(m.pfnOpenPortEx, nullptr);
  EXPECT_NE(m.pfnStartDocPort, nullptr);
  EXPECT_NE(m.pfnWritePort, nullptr);
  EXPECT_NE(m.pfnReadPort, nullptr);
  EXPECT_NE(m.pfnEndDocPort, nullptr);
  EXPECT_NE(m.pfnClosePort, nullptr);
  EXPECT_NE(m.pfnAddPort, nullptr);
  EXPECT_NE(m.pfnAddPortEx, nullptr);
  EXPECT_NE(m.pfnConfigurePort, nullptr);
  EXPECT_NE(m.pfnDeletePort, nullptr);
  EXPECT_EQ(m.pfnGetPrinterDataFromPort, nullptr);
  EXPECT_EQ(m.pfnSetPortTimeOuts, nullptr);
  EXPECT_EQ(m.pfnXcvOpenPort, nullptr);
  EXPECT_EQ(m.pfnXcvDataPort, nullptr);
  EXPECT_EQ(m.pfnXcvClosePort, nullptr);
}

TEST(MonitorLibrary, CarriesItsVersionResource) {
  const std::wstring path = MonitorLibraryPath();
  DWORD ignored = 0;
  std::vector<BYTE> data(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  ASSERT_FALSE(data.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
  wchar_t* text = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\CompanyName",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, L"Quillmar");
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\OriginalFilename",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, L"corvale.dll");
}

TEST(MonitorTable, ReadPortAndAddPortExDoNothingAndSucceed) {
  LoadedMonitor monitor({L"CORVALE1:"});
  HANDLE port = monitor.Spooler().OpenPort(L"CORVALE1:");
  BYTE buffer[4] = {1, 2, 3, 4};
  DWORD read = 77;
  EXPECT_TRUE(monitor.Table().pfnReadPort(port, buffer, sizeof(buffer), &read));
  EXPECT_EQ(read, 77u);
  EXPECT_EQ(buffer[0], 1);
  EXPECT_TRUE(monitor.Table().pfnAddPortEx(nullptr, 1, buffer, nullptr));
  EXPECT_EQ(monitor.Spooler().PortNames(), Ports{L"CORVALE1:"});
}

TEST(EnumPorts, WithNoPortsListsNothingAtAnyLevel) {
  LoadedMonitor monitor({});
  for (DWORD level : {1u, 2u, 7u}) {
    DWORD needed = 99, returned = 99;
    EXPECT_TRUE(monitor.Table().pfnEnumPorts(nullptr, level, nullptr, 0, &needed, &returned));
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(returned, 0u);
  }
}

TEST(EnumPorts, ASmallBufferGivesTheExactBytesNeeded) {
  LoadedMonitor monitor({L"ABCD"});
  DWORD needed = 0, returned = 1234;
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(monitor.Table().pfnEnumPorts(nullptr, 1, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(needed, sizeof(PORT_INFO_1W) + 10);  // 14 in a 32-bit build, 18 here
  EXPECT_EQ(returned, 1234u);                    // untouched
  BYTE buffer[64];
  EXPECT_FALSE(
      monitor.Table().pfnEnumPorts(nullptr, 2, buffer, sizeof(buffer), &needed, &returned));
  EXPECT_EQ(needed, sizeof(PORT_INFO_2W) + 2 * (4 + 24 + 21 + 3));
}

TEST(EnumPorts, LevelOneEntriesFromTheStartStringsPackedDownFromTheEnd) {
  LoadedMonitor monitor({L"A", L"BB", L"CCC"});
  std::vector<BYTE> buffer(200, 0xCC);
  DWORD needed = 0, returned = 0;
  ASSERT_TRUE(monitor.Table().pfnEnumPorts(nullptr, 1, buffer.data(), 200, &needed, &returned));
  EXPECT_EQ(needed, 3 * sizeof(PORT_INFO_1W) + 2 * (4 + 3 + 2));
  ASSERT_EQ(returned, 3u);
  const auto* entries = reinterpret_cast<const PORT_INFO_1W*>(buffer.data());
  BYTE* end = buffer.data() + buffer.size();
  // Highest number first, each string right below the one before it.
  EXPECT_EQ(reinterpret_cast<BYTE*>(entries[0].pName), end - 8);
  EXPECT_EQ(reinterpret_cast<BYTE*>(entries[1].pName), end - 8 - 6);
  EXPECT_EQ(reinterpret_cast<BYTE*>(entries[2].pName), end - 8 - 6 - 4);
  EXPECT_STREQ(entries[0].pName, L"CCC");
  EXPECT_STREQ(entries[1].pName, L"BB");
  EXPECT_STREQ(entries[2].pName, L"A");
  EXPECT_EQ(buffer[3 * sizeof(PORT_INFO_1W)], 0xCC);  // nothing between entries and strings
}

TEST(EnumPorts, LevelTwoHasMonitorNameHighestThenDescriptionThenPortName) {
  LoadedMonitor monitor({L"P1", L"P22"});
  const DWORD strings = 2 * (25 + 22);  // monitor name and description with terminators
  const DWORD needed2 = 2 * sizeof(PORT_INFO_2W) + 2 * strings + 2 * (3 + 4);
  std::vector<BYTE> buffer(needed2);
  DWORD needed = 0, returned = 0;
  ASSERT_TRUE(monitor.Table().pfnEnumPorts(nullptr, 2, buffer.data(), needed2, &needed, &returned));
  EXPECT_EQ(needed, needed2);
  ASSERT_EQ(returned, 2u);
  const auto* entries = reinterpret_cast<const PORT_INFO_2W*>(buffer.data());
  BYTE* end = buffer.data() + buffer.size();
  EXPECT_EQ(reinterpret_cast<BYTE*>(entries[0].pMonitorName), end - 50);
  EXPECT_EQ(reinterpret_cast<BYTE*>(entries[0].pDescription), end - 50 - 44);
  EXPECT_EQ(reinterpret_cast<BYTE*>(entries[0].pPortName), end - 50 - 44 - 8);
  EXPECT_EQ(reinterpret_cast<BYTE*>(entries[1].pMonitorName), end - 102 - 50);
  EXPECT_EQ(reinterpret_cast<BYTE*>(entries[1].pPortName),
            buffer.data() + 2 * sizeof(PORT_INFO_2W));
  EXPECT_STREQ(entries[0].pMonitorName, L"Quillmar Printer Monitor");
  EXPECT_STREQ(entries[0].pDescription, L"Quillmar Printer Port");
  EXPECT_STREQ(entries[0].pPortName, L"P22");
  EXPECT_STREQ(entries[1].pPortName, L"P1");
  EXPECT_EQ(entries[0].fPortType, 0u);
  EXPECT_EQ(entries[1].Reserved, 0u);
}

TEST(EnumPorts, AnInvalidLevelShowsItsBoxAndFails) {
  MessageBoxWatcher boxes;
  LoadedMonitor monitor({L"CORVALE1:"});
  DWORD needed = 5, returned = 5;
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(monitor.Table().pfnEnumPorts(nullptr, 3, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
  EXPECT_EQ(needed, 0u);
  EXPECT_EQ(returned, 0u);
  ASSERT_TRUE(boxes.WaitForBoxes(1, 5000));
  EXPECT_EQ(boxes.Seen()[0].caption, L"invalid level");
  EXPECT_EQ(boxes.Seen()[0].text, L"Error");
}

TEST(PortListLoad, StopsAtTheFirstGapOrOversizedValue) {
  PortRegistryKey key(CurrentTestName(), {L"one", L"two"});
  key.SetValue(L"4", L"four");
  {
    SpoolerStandIn spooler(MonitorLibraryPath());
    spooler.Initialize(key.Root());
    EXPECT_EQ(spooler.PortNames(), (Ports{L"two", L"one"}));
  }
  key.SetValue(L"3", std::wstring(260, L'x'));  // 522 bytes: one more than a port name holds
  SpoolerStandIn spooler(MonitorLibraryPath());
  spooler.Initialize(key.Root());
  EXPECT_EQ(spooler.PortNames(2), (Ports{L"two", L"one"}));
}

TEST(PortListLoad, AMissingKeyGivesNoPorts) {
  SpoolerStandIn spooler(MonitorLibraryPath());
  ASSERT_NE(spooler.Initialize(L"SOFTWARE\\CorvaleTests\\NoSuchKey"), nullptr);
  EXPECT_TRUE(spooler.PortNames().empty());
}

TEST(OpenPort, FindsThePortWhateverTheCase) {
  LoadedMonitor monitor({L"Corvale1:", L"Other:"});
  HANDLE lower = monitor.Spooler().OpenPort(L"corvale1:");
  HANDLE upper = monitor.Spooler().OpenPort(L"CORVALE1:");
  EXPECT_NE(lower, nullptr);
  EXPECT_EQ(lower, upper);
  EXPECT_NE(monitor.Spooler().OpenPort(L"OTHER:"), lower);
  EXPECT_TRUE(monitor.Spooler().ClosePort(lower));
}

TEST(OpenPort, AnUnknownNameFailsWithoutAHandle) {
  LoadedMonitor monitor({L"CORVALE1:"});
  HANDLE port = reinterpret_cast<HANDLE>(0x1234);
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(monitor.Table().pfnOpenPort(const_cast<LPWSTR>(L"CORVALE2:"), &port));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(port, reinterpret_cast<HANDLE>(0x1234));
  EXPECT_FALSE(monitor.Table().pfnOpenPort(const_cast<LPWSTR>(L"CORVALE1"), &port));
}

}  // namespace
