// gui.exe end to end: a job's spool file becomes its PDF through Ghostscript,
// with the settings component registered and every failure reported in a box.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "com_ptr.h"
#include "converter_command_line.h"
#include "external_program.h"
#include "late_binding.h"
#include "message_box_watcher.h"
#include "object_factory.h"
#include "registry_override.h"
#include "scratch_folder.h"

namespace {

const char kHelloPostScript[] =
    "%!PS-Adobe-3.0\n/Helvetica findfont 24 scalefont setfont\n"
    "72 700 moveto (The quick brown fox prints a PDF) show\nshowpage\n";

// The run-once "output" setting, through the settings component.
void SetRunOnceOutput(const std::wstring& output) {
  ComPtr<IDispatch> settings = CreateObjectByProgID(L"corvale.PDFPrinterSettings");
  VARIANTARG once = BoolArgument(true);
  CallMethod(*settings.get(), L"LoadSettings", std::span(&once, 1));
  UniqueBstr name(SysAllocString(L"output"));
  UniqueBstr value(SysAllocString(output.c_str()));
  VARIANTARG arguments[2] = {TextArgument(name.get()), TextArgument(value.get())};
  CallMethod(*settings.get(), L"SetValue", arguments);
  CallMethod(*settings.get(), L"WriteSettings", std::span(&once, 1));
}

std::wstring RunOnceOutput() {
  ComPtr<IDispatch> settings = CreateObjectByProgID(L"corvale.PDFPrinterSettings");
  VARIANTARG once = BoolArgument(true);
  CallMethod(*settings.get(), L"LoadSettings", std::span(&once, 1));
  UniqueBstr name(SysAllocString(L"output"));
  VARIANTARG argument = TextArgument(name.get());
  return CallMethodForText(*settings.get(), L"GetValue", std::span(&argument, 1));
}

// What a host command (pdftotext, pdfinfo) prints about `pdf` ("$0" in the
// command), as UTF-8 bytes.
std::string HostToolOutput(const wchar_t* command, const std::wstring& pdf,
                           const std::wstring& textFile) {
  const RunResult run =
      RunExternalProgram(ExternalProgram{L"Z:\\bin\\sh", true},
                         {L"-c", std::wstring(command) + L" >\"$1\"", HostPath(pdf).value_or(L""),
                          HostPath(textFile).value_or(L"")},
                         30000);
  EXPECT_TRUE(run.finished && run.exitCode == 0)
      << std::string(run.failure.begin(), run.failure.end());
  return ReadFileBytes(textFile);
}

// The value of one "Name:   value" line of pdfinfo's report.
std::string InfoField(const std::string& report, const std::string& name) {
  const std::string info = "\n" + report;
  const std::size_t start = info.find("\n" + name + ":");
  if (start == std::string::npos) return "<missing>";
  const std::size_t value = info.find_first_not_of(' ', start + name.size() + 2);
  return info.substr(value, info.find('\n', value) - value);
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size - 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::string BoxTexts(const MessageBoxWatcher& watcher) {
  std::string texts;
  for (const SeenMessageBox& box : watcher.Seen()) {
    texts += std::string(box.text.begin(), box.text.end()) + "\n";
  }
  return texts;
}

class ConverterJob : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    HMODULE tavrin = LoadLibraryW(WindowsPathOf(TAVRIN_DLL).c_str());
    ASSERT_NE(tavrin, nullptr);
    const auto registerServer = reinterpret_cast<HRESULT(__stdcall*)()>(
        reinterpret_cast<void*>(GetProcAddress(tavrin, "DllRegisterServer")));
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), S_OK);
  }

  void SetUp() override {
    ASSERT_TRUE(HostProgramsAvailable()) << "these tests run the host's Ghostscript";
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    appFolder_.Set(app_.Path());
    logFolder_.Remove();
  }
  void TearDown() override { CoUninitialize(); }

  // Starts gui.exe with the monitor's job command line and waits for it.
  DWORD RunConverter(const std::wstring& parameters, MessageBoxWatcher& watcher) {
    std::wstring commandLine = ConverterCommandLine(
        WindowsPathOf(GUI_EXE).substr(0, WindowsPathOf(GUI_EXE).rfind(L'\\')), parameters);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    EXPECT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    watcher.WatchProcess(process.dwProcessId);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 90000), WAIT_OBJECT_0);
    DWORD exitCode = 0xFFFF;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
  }

  std::wstring Job(const std::wstring& spool, const std::wstring& document) {
    return JobParameters(spool, L"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}", document,
                         L"Quillmar Printer");
  }

  ScratchFolder work_;
  ScratchFolder app_;
  MonitorSettingOverride appFolder_{L"AppFolder"};
  MonitorSettingOverride logFolder_{L"LogFolder"};
};

}  // namespace

TEST_F(ConverterJob, WritesThePdfWithTextAndTitleAndCleansUp) {
  const std::wstring spool = work_ / L"{0F1E}_printer.ps";
  WriteFileBytes(spool, kHelloPostScript);
  const std::wstring pdf = work_ / L"out folder\\Report, final (\x00E9t\x00E9).pdf";
  SetRunOnceOutput(pdf);
  const std::wstring title = L"Quarterly report, \x65E5\x672C\x8A9E \"draft\"";

  MessageBoxWatcher watcher;
  EXPECT_EQ(RunConverter(Job(spool, title), watcher), 0u);
  EXPECT_EQ(watcher.Count(), 0u) << BoxTexts(watcher);

  ASSERT_TRUE(PathExists(pdf));
  EXPECT_EQ(ReadFileBytes(pdf).rfind("%PDF-", 0), 0u);
  EXPECT_TRUE(ListFiles(work_ / L"out folder", L"*.part").empty());
  EXPECT_FALSE(PathExists(spool));
  EXPECT_EQ(RunOnceOutput(), L"");

  EXPECT_NE(HostToolOutput(L"pdftotext \"$0\" -", pdf, work_ / L"text.txt")
                .find("The quick brown fox prints a PDF"),
            std::string::npos);
  const std::string info = HostToolOutput(L"pdfinfo \"$0\"", pdf, work_ / L"info.txt");
  EXPECT_EQ(InfoField(info, "Title"), Utf8(title));
  EXPECT_EQ(InfoField(info, "Pages"), "1");
}

TEST_F(ConverterJob, RejectedPostScriptGivesABoxAndNoPdf) {
  const std::wstring spool = work_ / L"bad_printer.ps";
  WriteFileBytes(spool, "%!PS\nthis is not postscript at all {{{\n");
  const std::wstring pdf = work_ / L"bad.pdf";
  SetRunOnceOutput(pdf);

  MessageBoxWatcher watcher;
  EXPECT_EQ(RunConverter(Job(spool, L"Bad"), watcher), 1u);
  ASSERT_EQ(watcher.Count(), 1u) << BoxTexts(watcher);
  EXPECT_EQ(watcher.Seen()[0].caption, L"Quillmar PDF Writer");
  EXPECT_NE(watcher.Seen()[0].text.find(L"could not convert"), std::wstring::npos);
  EXPECT_FALSE(PathExists(pdf));
  EXPECT_TRUE(ListFiles(work_.Path(), L"*.part").empty());
  EXPECT_FALSE(PathExists(spool));
  EXPECT_NE(ReadFileBytes(work_ / L"gui.log").find("Error"), std::string::npos);
}

TEST_F(ConverterJob, DebugMarkerKeepsTheSpoolFileOfAFailedJob) {
  WriteFileBytes(app_ / L"debug.txt", "");
  const std::wstring spool = work_ / L"kept_printer.ps";
  WriteFileBytes(spool, "%!PS\n{{{ broken\n");
  SetRunOnceOutput(work_ / L"kept.pdf");

  MessageBoxWatcher watcher;
  EXPECT_EQ(RunConverter(Job(spool, L"Kept"), watcher), 1u);
  EXPECT_EQ(watcher.Count(), 1u) << BoxTexts(watcher);
  EXPECT_TRUE(PathExists(spool));
}

TEST_F(ConverterJob, UnwritableOutputFolderGivesABoxAndNoPdf) {
  const std::wstring spool = work_ / L"blocked_printer.ps";
  WriteFileBytes(spool, kHelloPostScript);
  WriteFileBytes(work_ / L"blocker", "a file where a folder should be");
  SetRunOnceOutput(work_ / L"blocker\\out.pdf");

  MessageBoxWatcher watcher;
  EXPECT_EQ(RunConverter(Job(spool, L"Blocked"), watcher), 1u);
  ASSERT_EQ(watcher.Count(), 1u) << BoxTexts(watcher);
  EXPECT_NE(watcher.Seen()[0].text.find(L"MkDirRecurse"), std::wstring::npos) << BoxTexts(watcher);
  EXPECT_FALSE(PathExists(work_ / L"blocker\\out.pdf"));
}

TEST_F(ConverterJob, MessageFormShowsTheMessageWithSingleBackslashes) {
  MessageBoxWatcher watcher;
  EXPECT_EQ(RunConverter(MessageParameters(L"Port C:\\Temp\\x.ps cannot be added", 16), watcher),
            0u);
  ASSERT_EQ(watcher.Count(), 1u) << BoxTexts(watcher);
  EXPECT_EQ(watcher.Seen()[0].caption, L"Quillmar PDF Writer");
  EXPECT_EQ(watcher.Seen()[0].text, L"Port C:\\Temp\\x.ps cannot be added");
}

TEST_F(ConverterJob, AnOutputNameThatCannotBeHandedOnFailsWithoutStrayFiles) {
  const std::wstring spool = work_ / L"quote_printer.ps";
  WriteFileBytes(spool, kHelloPostScript);
  SetRunOnceOutput(work_ / L"Report \"final\".pdf");
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);

  MessageBoxWatcher watcher;
  EXPECT_EQ(RunConverter(Job(spool, L"Quote"), watcher), 1u);
  EXPECT_EQ(watcher.Count(), 1u) << BoxTexts(watcher);
  EXPECT_TRUE(ListFiles(current, L"*.part").empty());
  EXPECT_TRUE(ListFiles(work_.Path(), L"*.pdf").empty());
}
