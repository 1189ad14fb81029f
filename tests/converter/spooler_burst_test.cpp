// One program prints jobs of one name back to back through Wine's spooler
// (which numbers one process's jobs correctly) to the installed product: the
// monitor starts a converter for each without waiting, so they overlap. With
// "number" every job gets a PDF of its own; with "append" all pages land in
// the one PDF; every job's text is found exactly once.
#include <windows.h>
#include <tlhelp32.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include "installed_product.h"
#include "message_box_watcher.h"
#include "pdf_texts.h"
#include "printer_settings.h"
#include "registry_override.h"
#include "scratch_folder.h"
#include "unique_resource.h"
#include "wine_host_bridge.h"

namespace {

bool PrintRawJob(const std::wstring& document, const std::string& bytes) {
  HANDLE printer = nullptr;
  std::wstring printerName = L"Quillmar Printer", name = document, type = L"RAW";
  if (!OpenPrinterW(printerName.data(), &printer, nullptr)) return false;
  DOC_INFO_1W info{name.data(), nullptr, type.data()};
  DWORD written = 0;
  const bool printed = StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&info)) &&
                       WritePrinter(printer, const_cast<char*>(bytes.data()),
                                    static_cast<DWORD>(bytes.size()), &written) &&
                       EndDocPrinter(printer);
  ClosePrinter(printer);
  return printed;
}

bool ConvertersRunning() {
  const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, L"gui.exe") == 0) return true;
  }
  return false;
}

class SpoolerBurst : public InstalledProduct {
 protected:
  void SetUp() override {
    ASSERT_TRUE(HostProgramsAvailable()) << "the converter runs the host's Ghostscript";
    InstalledProduct::SetUp();
    userTemp_.Set(temp_.Path());
  }
  // The regular settings of the printing user (whose APPDATA is the prefix's).
  void Print(const std::wstring& existing, int jobs) {
    PrinterSettings settings;
    settings.SetValue(L"outputfolder", out_.Path());
    settings.SetValue(L"filename", L"Burst");
    settings.SetValue(L"existing", existing);
    settings.WriteSettings(false);
    MessageBoxWatcher watcher(MessageBoxWatcher::Scope::kAnyProcess);
    for (int k = 1; k <= jobs; ++k) {
      EXPECT_TRUE(PrintRawJob(L"Burst",
                              "%!PS\n/Helvetica findfont 20 scalefont setfont 72 700 "
                              "moveto (Spooled job " +
                                  std::to_string(k) + ".) show showpage\n"));
    }
    EXPECT_TRUE(WaitUntil([] { return !ConvertersRunning(); }, 120000));
    settings.RemoveSettings(false);
    EXPECT_EQ(watcher.Count(), 0u);
  }

  ScratchFolder out_, temp_;
  UserEnvironmentOverride userTemp_{L"TEMP"};
};

TEST_F(SpoolerBurst, NumberedJobsEachGetAPdfOfTheirOwn) {
  Print(L"number", 24);
  EXPECT_EQ(ListFiles(out_.Path(), L"*").size(), 24u);
  EXPECT_EQ(TextCounts({out_.Path()}, "Spooled job", 24), std::vector<int>(24, 1));
}

TEST_F(SpoolerBurst, AppendedJobsAllLandInTheOnePdf) {
  Print(L"append", 12);
  EXPECT_EQ(ListFiles(out_.Path(), L"*"), std::vector<std::wstring>{L"Burst.pdf"});
  EXPECT_EQ(TextCounts({out_.Path()}, "Spooled job", 12), std::vector<int>(12, 1));
}

}  // namespace
