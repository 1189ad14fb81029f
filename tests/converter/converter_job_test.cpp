// gui.exe end to end: a job's spool file becomes its PDF through Ghostscript,
// steered by its settings files, and every failure reported in a box.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "converter_command_line.h"
#include "message_box_watcher.h"
#include "own_log_name.h"
#include "printer_settings.h"
#include "registry_override.h"
#include "scratch_folder.h"
#include "wine_host_bridge.h"

namespace {

const char kHelloPostScript[] =
    "%!PS-Adobe-3.0\n/Helvetica findfont 24 scalefont setfont\n"
    "72 700 moveto (The quick brown fox prints a PDF) show\nshowpage\n";

// Settings of one file of an instance, written with the settings component's code.
void WriteSettings(const std::vector<std::pair<std::wstring, std::wstring>>& values,
                   bool isRunOnce = true, const std::wstring& instance = L"") {
  PrinterSettings settings;
  settings.SetPrinterInstance(instance);
  for (const auto& [name, value] : values) settings.SetValue(name, value);
  settings.WriteSettings(isRunOnce);
}

void SetRunOnceOutput(const std::wstring& output) { WriteSettings({{L"output", output}}); }

std::wstring RunOnceOutput() {
  PrinterSettings settings;
  settings.LoadSettings(true);
  return settings.GetValue(L"output");
}

// What a host command prints about `file` ("$0" in the command), as UTF-8 bytes.
std::string HostTool(const std::wstring& command, const std::wstring& file) {
  ScratchFolder scratch;
  const std::wstring report = scratch / L"report.txt";
  const RunResult run = RunHostProgram(
      L"Z:\\bin\\sh",
      {L"-c", command + L" >\"$1\"", HostPath(file).value_or(L""), HostPath(report).value_or(L"")},
      30000);
  EXPECT_TRUE(run.finished && run.exitCode == 0)
      << std::string(command.begin(), command.end())
      << std::string(run.failure.begin(), run.failure.end());
  return ReadFileBytes(report);
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

// Two pages of 4 x 2 inches, so that images stay small.
const char kTwoPages[] =
    "%!PS\n<< /PageSize [288 144] >> setpagedevice /Helvetica findfont 20 scalefont setfont\n"
    "20 60 moveto (First page) show showpage 20 60 moveto (Second page) show showpage\n";

std::wstring Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t date[16];
  swprintf(date, 16, L"%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
  return date;
}

std::wstring UserName() {
  wchar_t name[257];
  DWORD size = 257;
  return GetUserNameW(name, &size) ? name : L"";
}

// Answers every Save As dialog, of any process, with Cancel while it lives.
// Construct it after a MessageBoxWatcher, which sets up the window system.
class SaveAsCanceller {
 public:
  SaveAsCanceller()
      : thread_([this] {
          std::set<HWND> answered;
          while (!stop_) {
            const HWND dialog = FindWindowW(L"#32770", L"Save As");
            if (dialog && answered.insert(dialog).second) {
              PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
              ++cancelled_;
            }
            Sleep(10);
          }
        }) {}
  ~SaveAsCanceller() {
    stop_ = true;
    thread_.join();
  }
  int Cancelled() const { return cancelled_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<int> cancelled_{0};
  std::thread thread_;
};

class ConverterJob : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(HostProgramsAvailable()) << "these tests run the host's Ghostscript";
    // The settings files of this test alone, for it and for the converter it starts.
    SetEnvironmentVariableW(L"APPDATA", data_.Path().c_str());
    appFolder_.Set(app_.Path());
    logFolder_.Remove();
  }

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

  std::wstring Job(const std::wstring& spool, const std::wstring& document,
                   const std::wstring& printer = L"Quillmar Printer") {
    return JobParameters(spool, L"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}", document, printer);
  }

  // A job of `postscript` that must succeed without a box.
  void Convert(const std::string& postscript, const std::wstring& document,
               const std::wstring& printer = L"Quillmar Printer") {
    const std::wstring spool = work_ / L"{0F1E}_printer.ps";
    WriteFileBytes(spool, postscript);
    MessageBoxWatcher watcher;
    EXPECT_EQ(RunConverter(Job(spool, document, printer), watcher), 0u);
    EXPECT_EQ(watcher.Count(), 0u) << BoxTexts(watcher);
    EXPECT_FALSE(PathExists(spool));
  }

  ScratchFolder work_;
  ScratchFolder app_;
  ScratchFolder data_;
  MonitorSettingOverride appFolder_{L"AppFolder"};
  MonitorSettingOverride logFolder_{L"LogFolder"};
};

}  // namespace

TEST_F(ConverterJob, WritesThePdfWithTextAndTitleAndCleansUp) {
  const std::wstring pdf = work_ / L"out 100%\\Report, final (\x00E9t\x00E9).pdf";
  SetRunOnceOutput(pdf);
  const std::wstring title = L"Quarterly report, \x65E5\x672C\x8A9E \"draft\"";
  Convert(kHelloPostScript, title);

  ASSERT_TRUE(PathExists(pdf));
  EXPECT_TRUE(ListFiles(work_ / L"out 100%", L"*.part").empty());
  EXPECT_EQ(RunOnceOutput(), L"");
  EXPECT_NE(HostTool(L"pdftotext \"$0\" -", pdf).find("The quick brown fox prints a PDF"),
            std::string::npos);
  const std::string info = HostTool(L"pdfinfo \"$0\"", pdf);
  EXPECT_EQ(InfoField(info, "Title"), Utf8(title));
  EXPECT_EQ(InfoField(info, "Author"), Utf8(UserName()));
  EXPECT_EQ(InfoField(info, "Pages"), "1");
}

// Without an output setting the converter asks; the dialog needs the COM
// apartment and the libraries that gui.exe loads only for it.
TEST_F(ConverterJob, WithoutAnOutputTheSaveAsDialogAsksAndCancellingDropsTheJob) {
  const std::wstring spool = work_ / L"{0F1E}_printer.ps";
  WriteFileBytes(spool, kHelloPostScript);
  MessageBoxWatcher watcher;
  SaveAsCanceller canceller;
  EXPECT_EQ(RunConverter(Job(spool, L"Asked"), watcher), 0u);
  EXPECT_EQ(canceller.Cancelled(), 1);
  EXPECT_EQ(watcher.Count(), 0u) << BoxTexts(watcher);
  EXPECT_FALSE(PathExists(spool));
  EXPECT_NE(ReadFileBytes(work_ / L"gui.log").find("cancelled by the user"), std::string::npos);
}

// Settings files hold the system's ANSI code page (here Western European); the
// document name, which comes on the command line, holds any script.
TEST_F(ConverterJob, SavesIntoTheFolderUnderTheTemplateWithMetadataInAnyScript) {
  SetEnvironmentVariableW(L"QUILLMAR_TEST_OUT", work_.Path().c_str());
  const std::wstring author = L"Ren\x00E9\x0065 M\x00FCller (\\";
  WriteSettings({{L"outputfolder", L"%QUILLMAR_TEST_OUT%\\saved"},
                 {L"filename", L"<date> <USER> <title>"},
                 {L"author", author},
                 {L"subject", L"x) show (injected"},
                 {L"keywords", L"a\\b (c"}},
                false);
  const std::wstring title = L"Q3: \x65E5\x672C/\x0627\x0644\x0628\xD83D\xDE00?";
  Convert(kHelloPostScript, title);

  const std::wstring pdf = work_ / (L"saved\\" + Today() + L" " + UserName() +
                                    L" Q3_ \x65E5\x672C_\x0627\x0644\x0628\xD83D\xDE00_.pdf");
  ASSERT_TRUE(PathExists(pdf)) << ListFiles(work_ / L"saved", L"*").size() << " files";
  const std::string info = HostTool(L"pdfinfo \"$0\"", pdf);
  EXPECT_EQ(InfoField(info, "Title"), Utf8(title));
  EXPECT_EQ(InfoField(info, "Author"), Utf8(author));
  EXPECT_EQ(InfoField(info, "Subject"), "x) show (injected");
  EXPECT_EQ(InfoField(info, "Keywords"), "a\\b (c");
  EXPECT_EQ(HostTool(L"pdftotext \"$0\" -", pdf).find("injected"), std::string::npos);
}

// Every document is saved, also one whose name Windows would take for a
// device. Its name, whatever it holds, stays on one line of gui.log, which with
// "LogFolder" set is the user's own file there.
TEST_F(ConverterJob, DocumentsNamedLikeDevicesAreSavedAndLoggedOnOneLine) {
  ScratchFolder logs;
  logFolder_.Set(logs.Path());
  WriteSettings({{L"outputfolder", work_.Path()}}, false);
  for (const wchar_t* document : {L"NUL .txt", L"COM1 .log", L"CON", L"aux"}) {
    Convert(kHelloPostScript, document);
  }
  EXPECT_EQ(
      ListFiles(work_.Path(), L"*.pdf"),
      (std::vector<std::wstring>{L"COM1_ .log.pdf", L"CON_.pdf", L"NUL_ .txt.pdf", L"aux_.pdf"}));
  Convert(kHelloPostScript, L"Report\r\nINJECTED line\x0085");
  const std::string log = ReadFileBytes(logs / OwnLogName(L"gui"));
  EXPECT_NE(log.find("document \"Report??INJECTED line?\""), std::string::npos) << log;
  EXPECT_EQ(log.find("\nINJECTED"), std::string::npos) << log;
  EXPECT_FALSE(PathExists(work_ / L"gui.log"));
}

TEST_F(ConverterJob, ExistingFilesAreNumberedOrAppendedTo) {
  const std::wstring pdf = work_ / L"letter.pdf";
  SetRunOnceOutput(pdf);
  Convert(kHelloPostScript, L"Letter");
  WriteSettings({{L"output", pdf}, {L"existing", L"number"}});
  Convert(kTwoPages, L"Letter");
  EXPECT_EQ(InfoField(HostTool(L"pdfinfo \"$0\"", work_ / L"letter (2).pdf"), "Pages"), "2");

  WriteSettings({{L"output", pdf}, {L"existing", L"APPEND"}});
  Convert(kTwoPages, L"Letter");
  EXPECT_EQ(InfoField(HostTool(L"pdfinfo \"$0\"", pdf), "Pages"), "3");
  EXPECT_NE(HostTool(L"pdftotext -f 1 -l 1 \"$0\" -", pdf).find("The quick brown fox"),
            std::string::npos);
  EXPECT_NE(HostTool(L"pdftotext -f 3 -l 3 \"$0\" -", pdf).find("Second page"), std::string::npos);
  EXPECT_NE(HostTool(L"qpdf --check \"$0\"", pdf).find("No syntax or stream encoding errors"),
            std::string::npos);
  EXPECT_EQ(ListFiles(work_.Path(), L"*.pdf").size(), 2u);
}

TEST_F(ConverterJob, EachFormatGivesItsFilesAtTheResolution) {
  const wchar_t kMeta[] = L"pdfinfo -meta \"$0\"";
  const struct {
    const wchar_t* format;
    const wchar_t* resolution;
    std::vector<std::wstring> files;
    // Host commands on the first file, each with a part of what it must print.
    std::vector<std::pair<std::wstring, const char*>> reports;
  } cases[] = {
      {L"pdfa",
       L"",
       {L"scan.pdf"},
       {{kMeta, "pdfaid:part='2'"},
        {kMeta, "pdfaid:conformance='B'"},
        {L"qpdf --show-object=1 \"$0\"", "/OutputIntents"},
        {L"qpdf --check \"$0\"", "No syntax or stream encoding errors"}}},
      {L"png", L"72", {L"scan-1.png", L"scan-2.png"}, {{L"file \"$0\"", "288 x 144"}}},
      {L"JPEG", L"", {L"scan-1.jpg", L"scan-2.jpg"}, {{L"file \"$0\"", "600x300"}}},
      {L"tiff",
       L"36",
       {L"scan.tif"},
       {{L"file \"$0\"", "width=144"}, {L"tiffinfo \"$0\" | grep -c 'TIFF Directory'", "2\n"}}},
  };
  for (const auto& c : cases) {
    ScratchFolder out;
    const std::wstring folder = out / L"50% scans";  // created by the job; "%" as it is
    WriteSettings({{L"outputfolder", folder},
                   {L"filename", L"scan"},
                   {L"format", c.format},
                   {L"resolution", c.resolution}});
    Convert(kTwoPages, L"Scan");
    ASSERT_EQ(ListFiles(folder, L"*"), c.files) << c.format;
    for (const auto& [command, part] : c.reports) {
      const std::string report = HostTool(command, folder + L"\\" + c.files[0]);
      EXPECT_NE(report.find(part), std::string::npos) << c.format << report;
    }
  }
}

// Wine's spooler names no printer to the monitor, so the converter is started
// with the monitor's command line for each printer.
TEST_F(ConverterJob, EachPrinterUsesItsOwnProfileOrTheDefault) {
  WriteSettings({{L"outputfolder", work_.Path()}, {L"filename", L"default <printer>"}}, false);
  WriteSettings({{L"outputfolder", work_.Path()},
                 {L"filename", L"own <printer>"},
                 {L"format", L"png"},
                 {L"resolution", L"36"}},
                false, L"Laser A");
  Convert(kHelloPostScript, L"Memo", L"Laser A");
  Convert(kHelloPostScript, L"Memo", L"Laser B");
  EXPECT_EQ(ListFiles(work_.Path(), L"* Laser *"),
            (std::vector<std::wstring>{L"default Laser B.pdf", L"own Laser A.png"}));
  // A printer name that cannot be an instance's file-name part uses the default's.
  SetRunOnceOutput(work_ / L"colon.pdf");
  Convert(kHelloPostScript, L"Memo", L"Laser: C");
  EXPECT_TRUE(PathExists(work_ / L"colon.pdf"));
}

TEST_F(ConverterJob, RunOnceSettingsThatStayAreToldToTheUser) {
  SetRunOnceOutput(work_ / L"once.pdf");
  const std::wstring runOnce = data_ / L"Quillmar\\PDF Writer\\runonce.ini";
  ASSERT_TRUE(SetFileAttributesW(runOnce.c_str(), FILE_ATTRIBUTE_READONLY)) << runOnce;
  const std::wstring spool = work_ / L"once_printer.ps";
  WriteFileBytes(spool, kHelloPostScript);
  MessageBoxWatcher watcher;
  EXPECT_EQ(RunConverter(Job(spool, L"Once"), watcher), 0u);
  SetFileAttributesW(runOnce.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_EQ(watcher.Count(), 1u) << BoxTexts(watcher);
  EXPECT_NE(watcher.Seen()[0].text.find(L"could not be removed"), std::wstring::npos);
  EXPECT_TRUE(PathExists(work_ / L"once.pdf"));
}

TEST_F(ConverterJob, DebugMarkerKeepsTheSpoolFileOfAJob) {
  WriteFileBytes(app_ / L"debug.txt", "");
  const std::wstring spool = work_ / L"kept_printer.ps";
  WriteFileBytes(spool, kHelloPostScript);
  SetRunOnceOutput(work_ / L"kept.pdf");
  MessageBoxWatcher watcher;
  EXPECT_EQ(RunConverter(Job(spool, L"Kept"), watcher), 0u);
  EXPECT_TRUE(PathExists(work_ / L"kept.pdf"));
  EXPECT_TRUE(PathExists(spool));
}

TEST_F(ConverterJob, MessageFormShowsTheMessageWithSingleBackslashes) {
  MessageBoxWatcher watcher;
  EXPECT_EQ(RunConverter(MessageParameters(L"Port C:\\Temp\\x.ps cannot be added", 16), watcher),
            0u);
  ASSERT_EQ(watcher.Count(), 1u) << BoxTexts(watcher);
  EXPECT_EQ(watcher.Seen()[0].caption, L"Quillmar PDF Writer");
  EXPECT_EQ(watcher.Seen()[0].text, L"Port C:\\Temp\\x.ps cannot be added");
}

TEST_F(ConverterJob, AFailedJobKeepsItsSpoolFileAndTellsWhatAndWhere) {
  WriteFileBytes(work_ / L"blocker", "a file where a folder should be");
  const struct {
    const char* postscript;
    std::vector<std::pair<std::wstring, std::wstring>> settings;
    std::vector<std::wstring> told;
  } cases[] = {
      {"%!PS\nthis is not postscript {{{\n",
       {{L"output", work_ / L"x.pdf"}},
       {L"could not convert"}},
      {kHelloPostScript,
       {{L"output", work_ / L"x.pdf"}, {L"format", L"docx"}},
       {L"\"format\" has the value \"docx\"", L"pdf, pdfa, png, jpeg, tiff"}},
      {kHelloPostScript,
       {{L"outputfolder", work_.Path()}, {L"filename", L"<title> <page>"}},
       {L"\"filename\" has the value \"<title> <page>\""}},
      {kHelloPostScript, {{L"output", work_ / L"Report \"final\".pdf"}}, {L"\"output\""}},
      {kHelloPostScript, {{L"output", work_ / L"blocker\\x.pdf"}}, {L"MkDirRecurse"}},
  };
  for (const auto& c : cases) {
    WriteSettings(c.settings);
    const std::wstring spool = work_ / L"failing_printer.ps";
    WriteFileBytes(spool, c.postscript);
    MessageBoxWatcher watcher;
    EXPECT_EQ(RunConverter(Job(spool, L"Failing"), watcher), 1u);
    ASSERT_EQ(watcher.Count(), 1u) << BoxTexts(watcher);
    const std::wstring text = watcher.Seen()[0].text;
    for (const std::wstring& part : c.told) EXPECT_NE(text.find(part), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"kept in " + spool), std::wstring::npos) << text;
    EXPECT_TRUE(PathExists(spool));
    EXPECT_EQ(RunOnceOutput(), L"");  // the job's run-once settings are used up
  }
  EXPECT_TRUE(ListFiles(work_.Path(), L"*.pdf").empty());
  EXPECT_TRUE(ListFiles(work_.Path(), L"*.part").empty());
  EXPECT_NE(ReadFileBytes(work_ / L"gui.log").find("\"docx\""), std::string::npos);
}
