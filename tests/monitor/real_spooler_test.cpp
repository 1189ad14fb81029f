// The monitor loaded by Wine's own spooler.
#include <gtest/gtest.h>

#include <algorithm>

#include "monitor_fixture.h"

namespace {

constexpr wchar_t kMonitorName[] = L"Corvale Test Monitor";
constexpr wchar_t kMonitorsKey[] = L"System\\CurrentControlSet\\Control\\Print\\Monitors\\";
constexpr wchar_t kPortName[] = L"CORVALETEST:";

// Registers the built library as a monitor with one port, and removes it again.
class RegisteredMonitor {
 public:
  RegisteredMonitor() {
    DeleteMonitorW(nullptr, nullptr, const_cast<LPWSTR>(kMonitorName));
    const std::wstring key = std::wstring(kMonitorsKey) + kMonitorName;
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
    // The port list, and the empty Ports subkey by which Wine maps the port to us.
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"1", REG_SZ, kPortName, sizeof(kPortName));
    HKEY portKey = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, (key + L"\\Ports\\" + kPortName).c_str(), 0, nullptr, 0,
                    KEY_ALL_ACCESS, nullptr, &portKey, nullptr);
    RegCloseKey(portKey);
    std::wstring library = MonitorLibraryPath();
    MONITOR_INFO_2W info{const_cast<LPWSTR>(kMonitorName), nullptr, library.data()};
    added_ = AddMonitorW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    addError_ = GetLastError();
  }
  ~RegisteredMonitor() {
    DeleteMonitorW(nullptr, nullptr, const_cast<LPWSTR>(kMonitorName));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kMonitorsKey) + kMonitorName).c_str());
  }
  bool Added() const { return added_; }
  DWORD AddError() const { return addError_; }

 private:
  bool added_ = false;
  DWORD addError_ = 0;
};

template <typename Info>
std::vector<Info> EnumeratePorts(DWORD level, std::vector<BYTE>& buffer) {
  DWORD needed = 0, returned = 0;
  EnumPortsW(nullptr, level, nullptr, 0, &needed, &returned);
  buffer.assign(needed, 0);
  if (!EnumPortsW(nullptr, level, buffer.data(), needed, &needed, &returned)) return {};
  const auto* entries = reinterpret_cast<const Info*>(buffer.data());
  return std::vector<Info>(entries, entries + returned);
}

TEST(RealSpooler, ListsTheMonitorsPortsAtBothLevels) {
  MessageBoxWatcher boxes;
  RegisteredMonitor monitor;
  ASSERT_TRUE(monitor.Added()) << "AddMonitorW error " << monitor.AddError();

  std::vector<BYTE> buffer1, buffer2;
  const auto level1 = EnumeratePorts<PORT_INFO_1W>(1, buffer1);
  EXPECT_TRUE(std::any_of(level1.begin(), level1.end(),
                          [](const PORT_INFO_1W& p) { return wcscmp(p.pName, kPortName) == 0; }));
  const auto level2 = EnumeratePorts<PORT_INFO_2W>(2, buffer2);
  const auto ours = std::find_if(level2.begin(), level2.end(), [](const PORT_INFO_2W& p) {
    return wcscmp(p.pPortName, kPortName) == 0;
  });
  ASSERT_NE(ours, level2.end());
  EXPECT_STREQ(ours->pDescription, L"Quillmar Printer Port");
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
