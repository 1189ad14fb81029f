// Jobs printed to the installed printer through Wine's own spooler reach the
// installed monitor, which captures them and starts the converter. The
// converter here is the fake one, which records how it was started.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <optional>

#include "fake_converter_calls.h"
#include "installed_product.h"
#include "message_box_watcher.h"
#include "product_names.h"
#include "registry_override.h"
#include "scratch_folder.h"

namespace {

constexpr unsigned kConverterWaitMs = 30000;

// The value of `name="..."` in the converter's command line.
std::wstring Parameter(const std::wstring& commandLine, const std::wstring& name) {
  const std::wstring start = name + L"=\"";
  const auto begin = commandLine.find(start);
  if (begin == std::wstring::npos) return {};
  const auto valueBegin = begin + start.size();
  const auto end = commandLine.find(L'"', valueBegin);
  return end == std::wstring::npos ? std::wstring()
                                   : commandLine.substr(valueBegin, end - valueBegin);
}

bool PrintRawJob(const std::wstring& documentName, const std::string& bytes) {
  std::wstring printerName = kPrinterName;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(printerName.data(), &printer, nullptr)) return false;
  std::wstring document = documentName;
  std::wstring datatype = L"RAW";
  DOC_INFO_1W info{document.data(), nullptr, datatype.data()};
  bool printed = false;
  if (StartDocPrinterW(printer, 1, reinterpret_cast<BYTE*>(&info))) {
    DWORD written = 0;
    printed = WritePrinter(printer, const_cast<char*>(bytes.data()),
                           static_cast<DWORD>(bytes.size()), &written) &&
              written == bytes.size();
    printed = EndDocPrinter(printer) && printed;
  }
  ClosePrinter(printer);
  return printed;
}

// One page with a line of text, printed the way applications print: GDI and
// the printer's driver.
bool PrintGdiPage(const std::wstring& documentName, const std::wstring& line) {
  HDC dc = CreateDCW(nullptr, kPrinterName, nullptr, nullptr);
  if (!dc) return false;
  DOCINFOW info{sizeof(info), documentName.c_str(), nullptr, nullptr, 0};
  bool printed = StartDocW(dc, &info) > 0 && StartPage(dc) > 0 &&
                 TextOutW(dc, 200, 200, line.c_str(), static_cast<int>(line.size())) &&
                 EndPage(dc) > 0;
  printed = EndDoc(dc) > 0 && printed;
  DeleteDC(dc);
  return printed;
}

// The installed printer with the converter and the printing user's temporary
// folder pointed at scratch folders.
class PrintingToInstalledPrinter : public InstalledProduct {
 protected:
  void SetUp() override {
    InstalledProduct::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(InstallFakeConverter(converterFolder_.Path()));
    appFolder_.emplace(L"AppFolder");
    appFolder_->Set(converterFolder_.Path());
    userTemp_.emplace(L"TEMP");
    userTemp_->Set(tempFolder_.Path());
  }
  // The installed values come back before the uninstaller runs.
  void TearDown() override {
    appFolder_.reset();
    userTemp_.reset();
    InstalledProduct::TearDown();
  }

  std::wstring WorkArea() const { return tempFolder_.Path() + L"\\Quillmar\\PDF Writer\\"; }

  // The spool file named by the one converter start, or empty.
  std::wstring SpoolFileOfConverterCall() {
    const auto calls = WaitForConverterCalls(converterFolder_.Path(), 1, kConverterWaitMs);
    if (calls.size() != 1) return {};
    return Parameter(calls[0].commandLine, L"ps");
  }

  const std::wstring& ConverterFolder() const { return converterFolder_.Path(); }

  MessageBoxWatcher boxes_;

 private:
  ScratchFolder converterFolder_;
  ScratchFolder tempFolder_;
  std::optional<MonitorSettingOverride> appFolder_;
  std::optional<UserEnvironmentOverride> userTemp_;
};

TEST_F(PrintingToInstalledPrinter, RawJobIsCapturedInTheWorkAreaAndHandedToTheConverter) {
  const std::string job = "%!PS-Adobe-3.0\n%%Title: installer test\nshowpage\n";
  ASSERT_TRUE(PrintRawJob(L"Installer RAW job", job));

  const auto calls = WaitForConverterCalls(ConverterFolder(), 1, kConverterWaitMs);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(Parameter(calls[0].commandLine, L"doc"), L"Installer RAW job");
  const std::wstring spoolFile = Parameter(calls[0].commandLine, L"ps");
  EXPECT_EQ(spoolFile.rfind(WorkArea(), 0), 0u) << spoolFile;
  EXPECT_EQ(ReadFileBytes(spoolFile), job);
  EXPECT_FALSE(ReadFileBytes(WorkArea() + L"port.log").empty());
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(PrintingToInstalledPrinter, GdiJobReachesTheMonitorAsPostScriptWithAPageSize) {
  ASSERT_TRUE(PrintGdiPage(L"Installer GDI job", L"Printed through the installed driver"));

  const std::wstring spoolFile = SpoolFileOfConverterCall();
  ASSERT_FALSE(spoolFile.empty());
  const std::string postScript = ReadFileBytes(spoolFile);
  EXPECT_EQ(postScript.rfind("%!PS", 0), 0u);
  // The page comes from the installed printer description (its default size);
  // without one Wine's driver makes pages of size 0 x 0.
  EXPECT_NE(postScript.find("<</PageSize[612 792]/ImagingBBox null>>setpagedevice"),
            std::string::npos);
  EXPECT_EQ(postScript.find("%%BoundingBox: 0 0 0 0"), std::string::npos);
  EXPECT_EQ(boxes_.Count(), 0u);
}

}  // namespace
