// The monitor loaded by Wine's own spooler.
#include <gtest/gtest.h>

#include <algorithm>

#include "job_bed.h"
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

constexpr wchar_t kDriverName[] = L"Corvale Test Driver";
constexpr wchar_t kPrinterName[] = L"Corvale Test Printer";

// A printer on the monitor's port, with a driver registered for it (Wine has none
// without CUPS); both removed at the end.
class InstalledPrinter {
 public:
  InstalledPrinter() {
    Remove();
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<LPWSTR>(kDriverName);
    driver.pDriverPath = const_cast<LPWSTR>(L"wineps.drv");
    driver.pDataFile = const_cast<LPWSTR>(L"wineps.drv");
    driver.pConfigFile = const_cast<LPWSTR>(L"wineps.drv");
    driverAdded_ =
        AddPrinterDriverExW(nullptr, 3, reinterpret_cast<LPBYTE>(&driver), APD_COPY_NEW_FILES);
    driverError_ = GetLastError();
    PRINTER_INFO_2W printer{};
    printer.pPrinterName = const_cast<LPWSTR>(kPrinterName);
    printer.pPortName = const_cast<LPWSTR>(kPortName);
    printer.pDriverName = const_cast<LPWSTR>(kDriverName);
    printer.pPrintProcessor = const_cast<LPWSTR>(L"winprint");
    printer.pDatatype = const_cast<LPWSTR>(L"RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE handle = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&printer));
    printerError_ = GetLastError();
    printerAdded_ = handle != nullptr;
    if (handle) ClosePrinter(handle);
  }
  ~InstalledPrinter() { Remove(); }

  bool Ready() const { return driverAdded_ && printerAdded_; }
  std::string Problem() const {
    return "AddPrinterDriverExW " + std::to_string(driverAdded_) + "/" +
           std::to_string(driverError_) + ", AddPrinterW " + std::to_string(printerAdded_) + "/" +
           std::to_string(printerError_);
  }

 private:
  static void Remove() {
    HANDLE printer = nullptr;
    if (OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &printer, nullptr)) {
      DeletePrinter(printer);
      ClosePrinter(printer);
    }
    DeletePrinterDriverW(nullptr, nullptr, const_cast<LPWSTR>(kDriverName));
  }
  bool driverAdded_ = false, printerAdded_ = false;
  DWORD driverError_ = 0, printerError_ = 0;
};

// Prints the bytes as one RAW job; false when a step fails.
bool PrintRawJob(const std::wstring& document, const std::vector<std::string>& writes) {
  HANDLE printer = nullptr;
  if (!OpenPrinterW(const_cast<LPWSTR>(kPrinterName), &printer, nullptr)) return false;
  DOC_INFO_1W info{const_cast<LPWSTR>(document.c_str()), nullptr, const_cast<LPWSTR>(L"RAW")};
  bool ok = StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&info)) != 0;
  for (const std::string& bytes : writes) {
    DWORD written = 0;
    ok = ok &&
         WritePrinter(printer, const_cast<char*>(bytes.data()), static_cast<DWORD>(bytes.size()),
                      &written) &&
         written == bytes.size();
  }
  ok = EndDocPrinter(printer) && ok;
  ClosePrinter(printer);
  return ok;
}

class RealSpoolerJob : public JobBed {};

TEST_F(RealSpoolerJob, ARawJobLandsInASpoolFileAndStartsTheConverter) {
  RegisteredMonitor monitor;
  ASSERT_TRUE(monitor.Added()) << "AddMonitorW error " << monitor.AddError();
  InstalledPrinter printer;
  ASSERT_TRUE(printer.Ready()) << printer.Problem();

  const std::string part1 = "%!PS-Adobe-3.0\n", part2 = std::string(70000, 'x') + "\nshowpage\n";
  ASSERT_TRUE(PrintRawJob(L"Raw, \"quoted\" job", {part1, part2}));

  const auto calls = WaitForConverterCalls(AppFolder(), 1, 15000);
  ASSERT_EQ(calls.size(), 1u);
  const auto ids = LoggedSessionIds();
  ASSERT_EQ(ids.size(), 1u);
  EXPECT_EQ(ReadFileBytes(SpoolFile(ids[0])), part1 + part2);
  // Wine's spooler passes no printer name to the port.
  EXPECT_EQ(calls[0].commandLine, JobCommandLine(ids[0], L"Raw, \"\"quoted\"\" job", L""));
  EXPECT_EQ(boxes_.Count(), 0u);
}

}  // namespace
