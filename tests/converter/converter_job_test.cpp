// gui.exe end to end: a job's spool file becomes its PDF through Ghostscript,
// steered by its settings files, and every failure reported in a box.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <thread>

#include "converter_command_line.h"
#include "host_reports.h"
#include "message_box_watcher.h"
#include "pdf_texts.h"
#include "own_log_name.h"
#include "printer_settings.h"
#include "registry_override.h"
#include "sample_pdfs.h"
#include "scratch_folder.h"
#include "unique_resource.h"
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

class ConverterJob : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(HostProgramsAvailable()) << "these tests run the host's Ghostscript";
    // The settings files of this test alone, for it and for the converter it starts.
    SetEnvironmentVariableW(L"APPDATA", data_.Path().c_str());
    appFolder_.Set(app_.Path());
    logFolder_.Remove();
  }

  // Starts one gui.exe per job command line at the same moment (on `desktop`
  // when given) and waits for them all; their exit codes.
  std::vector<DWORD> RunConvertersAtOnce(const std::vector<std::wstring>& jobs,
                                         MessageBoxWatcher& watcher,
                                         const wchar_t* desktop = nullptr) {
    std::vector<PROCESS_INFORMATION> processes(jobs.size());
    for (std::size_t i = 0; i < jobs.size(); ++i) {
      std::wstring commandLine = ConverterCommandLine(
          WindowsPathOf(GUI_EXE).substr(0, WindowsPathOf(GUI_EXE).rfind(L'\\')), jobs[i]);
      STARTUPINFOW startup{};
      startup.cb = sizeof startup;
      startup.lpDesktop = const_cast<wchar_t*>(desktop);
      EXPECT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                                 CREATE_SUSPENDED, nullptr, nullptr, &startup, &processes[i]));
      watcher.WatchProcess(processes[i].dwProcessId);
    }
    for (const PROCESS_INFORMATION& process : processes) ResumeThread(process.hThread);
    std::vector<DWORD> exitCodes;
    for (const PROCESS_INFORMATION& process : processes) {
      EXPECT_EQ(WaitForSingleObject(process.hProcess, 90000), WAIT_OBJECT_0);
      TerminateProcess(process.hProcess, 0xFFFF);
      exitCodes.push_back(0xFFFF);
      GetExitCodeProcess(process.hProcess, &exitCodes.back());
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    return exitCodes;
  }
  DWORD RunConverter(const std::wstring& parameters, MessageBoxWatcher& watcher) {
    return RunConvertersAtOnce({parameters}, watcher)[0];
  }

  // A job of a page with `text` (or of `postscript`), under its own spool file
  // "<k>_printer.ps" and session id.
  std::wstring TextJob(const std::string& text, const std::wstring& document = L"Burst",
                       std::string postscript = {}) {
    const std::wstring spool = work_ / (std::to_wstring(++jobs_) + L"_printer.ps");
    if (postscript.empty())
      postscript =
          "%!PS\n/Helvetica findfont 20 scalefont setfont 72 700 "
          "moveto (" +
          text + ") show showpage\n";
    WriteFileBytes(spool, postscript);
    return JobParameters(spool, L"session-" + std::to_wstring(jobs_), document,
                         L"Quillmar Printer");
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

  int jobs_ = 0;
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
  // Any printer name names its own instance, one with ":" and "/" too.
  SetRunOnceOutput(work_ / L"default.pdf");
  WriteSettings({{L"output", work_ / L"own colon.pdf"}}, true, L"Laser: C/4");
  Convert(kHelloPostScript, L"Memo", L"Laser: C/4");
  EXPECT_TRUE(PathExists(work_ / L"own colon.pdf"));
  EXPECT_FALSE(PathExists(work_ / L"default.pdf"));
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

// Jobs of one name started at the same moment in several processes: numbered,
// each gets a file of its own; appended, all land in the one file; overwritten,
// one whole job is left. Nothing else is left in the folder.
TEST_F(ConverterJob, JobsOfOneNameStartedAtOnceLoseNoPageAndRepeatNone) {
  constexpr int kJobs = 10;
  const struct {
    const wchar_t* existing;
    std::size_t files;
    int found;
  } cases[] = {{L"number", kJobs, kJobs}, {L"append", 1, kJobs}, {L"overwrite", 1, 1}};
  for (const auto& c : cases) {
    ScratchFolder out;
    WriteSettings(
        {{L"outputfolder", out.Path()}, {L"filename", L"Burst"}, {L"existing", c.existing}}, false);
    std::vector<std::wstring> jobs;
    for (int k = 1; k <= kJobs; ++k)
      jobs.push_back(TextJob("Burst job " + std::to_string(k) + "."));
    MessageBoxWatcher watcher;
    EXPECT_EQ(RunConvertersAtOnce(jobs, watcher), std::vector<DWORD>(kJobs, 0))
        << BoxTexts(watcher);
    EXPECT_EQ(ListFiles(out.Path(), L"*").size(), c.files) << c.existing;
    const std::vector<int> counts = TextCounts({out.Path()}, "Burst job", kJobs);
    EXPECT_EQ(std::count(counts.begin(), counts.end(), 1), c.found) << c.existing;
    EXPECT_EQ(std::count(counts.begin(), counts.end(), 0), kJobs - c.found) << c.existing;
  }
}

// One file per page: every job's pages take one number together, and an
// overwrite leaves one job's pages, never a mix.
TEST_F(ConverterJob, PageFilesOfJobsStartedAtOnceStayTogether) {
  for (const wchar_t* existing : {L"number", L"overwrite"}) {
    ScratchFolder out;
    WriteSettings({{L"outputfolder", out.Path()},
                   {L"filename", L"Scan"},
                   {L"format", L"png"},
                   {L"resolution", L"36"},
                   {L"existing", existing}},
                  false);
    std::vector<std::wstring> jobs;
    for (int k = 1; k <= 8; ++k)
      jobs.push_back(TextJob("", L"Scan", k % 2 ? kTwoPages : kHelloPostScript));
    MessageBoxWatcher watcher;
    EXPECT_EQ(RunConvertersAtOnce(jobs, watcher), std::vector<DWORD>(8, 0)) << BoxTexts(watcher);
    // Each number holds one page ("1") or two ("-1-2"), in one form.
    std::map<std::wstring, std::wstring> numbers;  // "Scan (2)" -> its pages
    for (const std::wstring& file : ListFiles(out.Path(), L"*")) {
      const std::wstring stem = file.substr(0, file.rfind(L".png"));
      const bool page = stem.size() > 2 && stem[stem.size() - 2] == L'-';
      numbers[page ? stem.substr(0, stem.size() - 2) : stem] +=
          page ? stem.substr(stem.size() - 2) : L"1";
    }
    EXPECT_EQ(numbers.size(), existing == std::wstring(L"number") ? 8u : 1u);
    for (const auto& [number, pages] : numbers)
      EXPECT_TRUE(pages == L"1" || pages == L"-1-2") << std::string(pages.begin(), pages.end());
  }
}

// A job that failed kept its spool file and said so; one that succeeded has its
// text in exactly one PDF (`counts`, by job).
void ExpectEachJobSavedOrKept(const std::vector<DWORD>& exitCodes, const std::vector<int>& counts,
                              const std::wstring& workArea, const std::string& boxes) {
  for (std::size_t k = 0; k < exitCodes.size(); ++k) {
    const std::wstring spool = workArea + L"\\" + std::to_wstring(k + 1) + L"_printer.ps";
    EXPECT_EQ(counts[k], exitCodes[k] == 0 ? 1 : 0) << k + 1;
    EXPECT_EQ(PathExists(spool), exitCodes[k] != 0) << k + 1;
    if (exitCodes[k] != 0) {
      EXPECT_NE(boxes.find("kept in " + std::string(spool.begin(), spool.end())),
                std::string::npos);
    }
  }
}

// The folder goes away while a burst runs (moved aside, so that what was saved
// before stays countable); the next jobs make it again.
TEST_F(ConverterJob, AnOutputFolderTakenAwayMidBurstLeavesNoJobWronglyReported) {
  const std::wstring folder = work_ / L"jobs", aside = work_ / L"aside";
  WriteSettings({{L"outputfolder", folder}, {L"filename", L"Burst"}, {L"existing", L"number"}},
                false);
  std::vector<std::wstring> jobs;
  for (int k = 1; k <= 15; ++k) jobs.push_back(TextJob("Burst job " + std::to_string(k) + "."));
  MessageBoxWatcher watcher;
  std::thread remover([&] {
    WaitUntil([&] { return PathExists(folder + L"\\Burst (3).pdf"); }, 30000);
    // On the host: Wine renames no folder that holds open files.
    const RunResult moved = RunHostProgram(
        L"Z:\\bin\\sh", {L"-c", L"mv \"$0\" \"$1\"", *HostPath(folder), *HostPath(aside)}, 30000);
    EXPECT_TRUE(moved.finished && moved.exitCode == 0);
  });
  std::vector<DWORD> exitCodes = RunConvertersAtOnce({jobs.begin(), jobs.end() - 3}, watcher);
  remover.join();
  for (DWORD code : RunConvertersAtOnce({jobs.end() - 3, jobs.end()}, watcher)) {
    EXPECT_EQ(code, 0u);  // the next jobs go on
    exitCodes.push_back(code);
  }
  ExpectEachJobSavedOrKept(exitCodes, TextCounts({folder, aside}, "Burst job", 15), work_.Path(),
                           BoxTexts(watcher));
  EXPECT_TRUE(ListFiles(folder, L"*.part*").empty() && ListFiles(folder, L"*.lock").empty());
}

// Another program keeps the target open without sharing: a job waits for it;
// after 30 s it fails, keeps its spool file and leaves the file as it was.
TEST_F(ConverterJob, ATargetHeldOpenIsWaitedForAndThenTheJobFails) {
  const std::wstring pdf = work_ / L"held.pdf";
  SetRunOnceOutput(pdf);
  Convert(kHelloPostScript, L"Held");
  const auto hold = [&] {
    return CreateFileW(pdf.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  };
  HANDLE held = hold();
  std::thread release([&] {
    Sleep(2000);
    CloseHandle(held);
  });
  WriteSettings({{L"output", pdf}, {L"existing", L"append"}});
  const ULONGLONG start = GetTickCount64();
  Convert(kTwoPages, L"Held");
  EXPECT_GE(GetTickCount64() - start, 1500u);
  release.join();
  EXPECT_EQ(InfoField(HostTool(L"pdfinfo \"$0\"", pdf), "Pages"), "3");

  const std::string before = ReadFileBytes(pdf);
  held = hold();
  WriteSettings({{L"output", pdf}, {L"existing", L"overwrite"}});
  MessageBoxWatcher watcher;
  EXPECT_EQ(RunConverter(TextJob("Never saved."), watcher), 1u);
  CloseHandle(held);
  EXPECT_NE(BoxTexts(watcher).find("kept open by another program"), std::string::npos);
  ExpectEachJobSavedOrKept({1}, {0}, work_.Path(), BoxTexts(watcher));
  EXPECT_EQ(ReadFileBytes(pdf), before);
}

// A file system with no room left (a small one mounted on the host, so the
// test needs root): the job fails and keeps its spool file, nothing is left
// behind, and the next job succeeds once there is room.
TEST_F(ConverterJob, AFullDiskFailsTheJobAndTheNextGoesOn) {
  ScratchFolder disk;
  const std::wstring where = *HostPath(disk.Path());
  const auto host = [&](const wchar_t* command) {
    const RunResult run = RunHostProgram(L"Z:\\bin\\sh", {L"-c", command, where}, 30000);
    return run.finished && run.exitCode == 0;
  };
  if (!host(
          L"mount -t tmpfs -o size=256k tmpfs \"$0\" && (dd if=/dev/zero of=\"$0/filler\"; true)"))
    GTEST_SKIP() << "no small file system can be mounted here";
  const ScopeExit unmount([&] { host(L"umount \"$0\""); });
  WriteSettings({{L"output", disk / L"full.pdf"}}, false);
  MessageBoxWatcher watcher;
  const DWORD exitCode = RunConverter(TextJob("No room."), watcher);
  ExpectEachJobSavedOrKept({exitCode}, {0}, work_.Path(), BoxTexts(watcher));
  EXPECT_EQ(ListFiles(disk.Path(), L"*"), std::vector<std::wstring>{L"filler"});
  ASSERT_TRUE(DeleteFileW((disk / L"filler").c_str()));
  EXPECT_EQ(RunConverter(TextJob("Room again."), watcher), 0u);
  EXPECT_NE(HostTool(L"pdftotext \"$0\" -", disk / L"full.pdf").find("Room again."),
            std::string::npos);
}

// Where nobody can see a window (here: gui.exe on a window station that is not
// visible), no box or dialog is shown and nothing waits: without an output
// setting the job goes to "PDF Writer" in the user's Documents, numbered.
TEST_F(ConverterJob, WhereNobodyCanSeeAWindowNothingWaitsAndJobsGoToDocuments) {
  const HWINSTA own = GetProcessWindowStation();
  ASSERT_TRUE(SetProcessWindowStation(
      CreateWindowStationW(L"QuillmarUnseen", 0, WINSTA_ALL_ACCESS, nullptr)));
  ASSERT_TRUE(CreateDesktopW(L"Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr));
  SetProcessWindowStation(own);
  ScratchFolder documents;  // the user's Documents, as the shell finds it
  RegistryValueOverride personal(
      HKEY_CURRENT_USER,
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", L"Personal");
  personal.Set(documents.Path(), REG_EXPAND_SZ);
  WriteSettings({{L"existing", L"overwrite"}}, false);
  MessageBoxWatcher watcher;
  const wchar_t* unseen = L"QuillmarUnseen\\Default";
  EXPECT_EQ(RunConvertersAtOnce({TextJob("Memo 1.", L"Memo"), TextJob("Memo 2.", L"Memo")}, watcher,
                                unseen),
            std::vector<DWORD>(2, 0));
  EXPECT_EQ(TextCounts({documents / L"PDF Writer"}, "Memo", 2), std::vector<int>(2, 1));
  EXPECT_EQ(RunConvertersAtOnce({MessageParameters(L"Seen by nobody", 16)}, watcher, unseen)[0],
            0u);

  // A failed job, then a Documents folder where "PDF Writer" cannot be made.
  WriteSettings({{L"format", L"docx"}});
  EXPECT_EQ(RunConvertersAtOnce({TextJob("Memo 3.", L"Memo")}, watcher, unseen)[0], 1u);
  RemoveTree(documents / L"PDF Writer");
  WriteFileBytes(documents / L"PDF Writer", "a file in the way");
  EXPECT_EQ(RunConvertersAtOnce({TextJob("Memo 4.", L"Memo")}, watcher, unseen)[0], 1u);
  EXPECT_EQ(watcher.Count(), 0u);  // none could have been answered here
  const std::string log = ReadFileBytes(work_ / L"gui.log");
  EXPECT_NE(log.find("\"docx\""), std::string::npos);
  EXPECT_NE(log.find("\\\\server\\share\\%USERNAME%"), std::string::npos);
  EXPECT_TRUE(PathExists(work_ / L"3_printer.ps") && PathExists(work_ / L"4_printer.ps"));
}

// "append" adds only to a PDF (here: PostScript planted under the name), else
// the job is saved under the next number; "openafter" opens only a file of the
// format's kind.
TEST_F(ConverterJob, AppendOnlyToAPdfAndOpenOnlyAFileOfTheFormat) {
  const std::string planted =
      "%!PS\n/Helvetica findfont 9 scalefont setfont (Planted) show showpage";
  WriteFileBytes(work_ / L"Letter.pdf", planted);
  WriteSettings({{L"output", work_ / L"Letter.pdf"}, {L"existing", L"append"}});
  Convert(kHelloPostScript, L"Letter");
  EXPECT_EQ(ReadFileBytes(work_ / L"Letter.pdf"), planted);
  EXPECT_EQ(HostTool(L"pdftotext \"$0\" -", work_ / L"Letter (2).pdf").find("Planted"),
            std::string::npos);
  WriteSettings({{L"output", work_ / L"Letter.cmd"}, {L"openafter", L"yes"}});
  Convert(kHelloPostScript, L"Letter");
  const std::string log = ReadFileBytes(work_ / L"gui.log");
  EXPECT_NE(log.find("Letter.pdf: it does not start as a PDF"), std::string::npos) << log;
  EXPECT_NE(log.find("not opened: " + std::string(work_.Path().begin(), work_.Path().end()) +
                     "\\Letter.cmd does not end in an extension of the format pdf"),
            std::string::npos)
      << log;
}

// A PDF made by the host's Ghostscript from `postscript`, beside it.
std::wstring HostPdf(const std::wstring& path, const std::string& postscript) {
  WriteFileBytes(path + L".ps", postscript);
  HostTool(L"gs -q -dSAFER -sDEVICE=pdfwrite -o \"${0%.ps}\" \"$0\"", path + L".ps");
  return path;
}

std::string PageText(const char* text) {
  return "%!PS\n<< /PageSize [288 144] >> setpagedevice /Helvetica findfont 10 scalefont setfont "
         "20 10 moveto (" +
         std::string(text) + ") show showpage\n";
}

const wchar_t kUserPassword[] = L"us3r-Secret";
const wchar_t kOwnerPassword[] = L"0wner-Secret";

// Each case's settings with `output`, read back with the host's qpdf and poppler.
TEST_F(ConverterJob, PdfStepsEncryptLayerAndAttach) {
  const std::wstring background = HostPdf(work_ / L"letterhead.pdf", PageText("Letterhead"));
  const std::wstring stamp = HostPdf(work_ / L"stamp.pdf", PageText("APPROVED"));
  WriteFileBytes(work_ / L"invoice.xml", "<invoice/>");
  WriteFileBytes(work_ / L"notes.txt", "notes");
  const std::wstring attach = work_ / L"invoice.xml|" + work_ / L"notes.txt";
  const std::wstring userShown =
      L"qpdf --show-encryption --password=" + std::wstring(kUserPassword) + L" \"$0\"";
  const wchar_t kRequires[] = L"qpdf --requires-password \"$0\"; echo rc=$?";
  const wchar_t kAttachments[] = L"qpdf --list-attachments \"$0\"";
  const struct {
    std::vector<std::pair<std::wstring, std::wstring>> settings;
    std::vector<std::pair<std::wstring, const char*>> reports;
  } cases[] = {
      {{{L"userpassword", kUserPassword},
        {L"ownerpassword", kOwnerPassword},
        {L"permissions", L"print, fillforms"}},
       {{userShown, "R = 6\n"},
        {userShown, "Supplied password is user password"},
        {userShown, "print high resolution: allowed"},
        {userShown, "extract for any purpose: not allowed"},
        {userShown, "file encryption method: AESv3"},
        {L"qpdf --show-encryption --password=" + std::wstring(kOwnerPassword) + L" \"$0\"",
         "Supplied password is owner password"},
        {kRequires, "rc=0"},
        {L"pdftotext -upw " + std::wstring(kUserPassword) + L" \"$0\" -", "Second page"}}},
      // No owner password: a random one, so the permissions stay.
      {{{L"userpassword", kUserPassword}, {L"permissions", L"none"}},
       {{userShown, "modify anything: not allowed"}, {kRequires, "rc=0"}}},
      {{{L"ownerpassword", kOwnerPassword}}, {{kRequires, "rc=3"}}},
      {{{L"background", background}, {L"stamp", stamp}},
       {{L"pdftotext -f 1 -l 1 \"$0\" -", "Letterhead"},
        {L"pdftotext -f 2 -l 2 \"$0\" -", "Letterhead"},
        {L"pdftotext -f 1 -l 1 \"$0\" -", "APPROVED"},
        {L"pdftotext -f 2 -l 2 \"$0\" -", "APPROVED"},
        {L"pdftotext -f 2 -l 2 \"$0\" -", "Second page"},
        {L"pdfinfo \"$0\"", "Pages:           2"},
        {L"pdfinfo -l 2 \"$0\"", "Page    2 size:  288 x 144 pts"}}},
      {{{L"attach", attach}},
       {{kAttachments, "invoice.xml ->"}, {kAttachments, "notes.txt ->"}, {kRequires, "rc=2"}}},
      {{{L"format", L"pdfa"}, {L"attach", work_ / L"invoice.xml"}},
       {{L"pdfinfo -meta \"$0\"", "pdfaid:part='3'"},
        {kAttachments, "invoice.xml ->"},
        {L"qpdf --qdf --object-streams=disable \"$0\" - | grep -a -E '/AF |/AFRelationship'",
         "/AFRelationship /Data"},
        {L"qpdf --qdf --object-streams=disable \"$0\" - | grep -a -E '/AF |/AFRelationship'",
         "/AF ["}}},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::wstring pdf = work_ / (L"steps " + std::to_wstring(++n) + L".pdf");
    auto settings = c.settings;
    settings.emplace_back(L"output", pdf);
    WriteSettings(settings);
    Convert(kTwoPages, L"Steps");
    for (const auto& [command, part] : c.reports) {
      const std::string report = HostTool(command, pdf);
      EXPECT_NE(report.find(part), std::string::npos) << n << " " << Utf8(command) << ":\n"
                                                      << report;
    }
  }
  const std::string log = ReadFileBytes(work_ / L"gui.log");
  EXPECT_EQ(log.find("Secret"), std::string::npos) << log;
  EXPECT_TRUE(ListFiles(work_.Path(), L"*.part*").empty());
}

// Appending copies the existing pages as they are (a link too) and keeps the
// existing encryption, opened with the owner password.
TEST_F(ConverterJob, AppendKeepsTheExistingPagesAndEncryption) {
  const std::wstring pdf = work_ / L"ledger.pdf";
  WriteSettings(
      {{L"output", pdf}, {L"userpassword", kUserPassword}, {L"ownerpassword", kOwnerPassword}});
  Convert(
      "%!PS\n/Helvetica findfont 20 scalefont setfont 72 700 moveto (Linked) show [ /Rect [70 690 "
      "300 730] /Action << /Subtype /URI /URI (https://example.org/ledger) >> /Subtype /Link /ANN "
      "pdfmark showpage\n",
      L"Ledger");
  WriteSettings({{L"output", pdf}, {L"existing", L"append"}, {L"ownerpassword", kOwnerPassword}});
  Convert(kTwoPages, L"Ledger");
  const std::wstring user = L" -upw " + std::wstring(kUserPassword) + L" ";
  EXPECT_NE(HostTool(L"pdfinfo" + user + L"\"$0\"", pdf).find("Pages:           3"),
            std::string::npos);
  EXPECT_NE(HostTool(L"pdfinfo -url" + user + L"\"$0\"", pdf).find("https://example.org/ledger"),
            std::string::npos);
  EXPECT_NE(HostTool(L"pdftotext -f 3 -l 3" + user + L"\"$0\" -", pdf).find("Second page"),
            std::string::npos);
  const std::string encryption = HostTool(
      L"qpdf --show-encryption --password=" + std::wstring(kUserPassword) + L" \"$0\"", pdf);
  EXPECT_NE(encryption.find("R = 6"), std::string::npos) << encryption;
  EXPECT_NE(encryption.find("Supplied password is user password"), std::string::npos);
}

// Appending to a file that Ghostscript did not write keeps what the file
// holds beside its pages: the form field, the link and the outline.
TEST_F(ConverterJob, AppendKeepsTheFormFieldLinkAndOutlineOfTheExistingFile) {
  const std::wstring pdf = work_ / L"form.pdf";
  WriteFileBytes(pdf, PdfWithFormLinkAndOutline());
  WriteSettings({{L"output", pdf}, {L"existing", L"append"}});
  Convert(kTwoPages, L"Form");
  EXPECT_EQ(InfoField(HostTool(L"pdfinfo \"$0\"", pdf), "Pages"), "3");
  const std::string kept =
      HostTool(L"qpdf --json --json-key=acroform --json-key=outlines \"$0\"", pdf);
  EXPECT_NE(kept.find("\"fullname\": \"customer\""), std::string::npos) << kept;
  EXPECT_NE(kept.find("\"title\": \"Chapter one\""), std::string::npos) << kept;
  EXPECT_NE(HostTool(L"pdfinfo -url \"$0\"", pdf).find("https://example.com/terms"),
            std::string::npos);
}

// Bad input fails the job: the box names the setting and value or the file,
// never a password; the spool file stays and no output appears.
TEST_F(ConverterJob, BadInputOfThePdfStepsFailsTheJobAndLeavesNoOutput) {
  const std::wstring text = work_ / L"letter.txt";
  WriteFileBytes(text, "plain text, no PDF");
  const std::string whole = ReadFileBytes(HostPdf(work_ / L"whole.pdf", PageText("Whole")));
  const std::wstring damaged = work_ / L"damaged.pdf";
  WriteFileBytes(damaged, whole.substr(0, whole.size() / 2));
  const std::wstring existingDamaged = work_ / L"existing damaged.pdf";
  WriteFileBytes(existingDamaged, whole.substr(0, whole.size() / 2));
  const std::wstring locked = work_ / L"locked.pdf";
  WriteSettings({{L"output", locked}, {L"userpassword", kUserPassword}});
  Convert(kHelloPostScript, L"Locked");
  const std::wstring out = work_ / L"out.pdf";
  const struct {
    std::vector<std::pair<std::wstring, std::wstring>> settings;
    std::vector<std::wstring> told;
  } cases[] = {
      {{{L"output", out}, {L"background", text}}, {L"\"background\" has the value \"" + text}},
      {{{L"output", out}, {L"stamp", damaged}}, {L"\"stamp\" has the value \"" + damaged}},
      {{{L"output", existingDamaged}, {L"existing", L"append"}}, {existingDamaged}},
      {{{L"output", locked}, {L"existing", L"append"}, {L"ownerpassword", L"wr0ng-Secret"}},
       {locked}},
      {{{L"output", out}, {L"userpassword", kUserPassword}, {L"permissions", L"print,fax"}},
       {L"\"permissions\" has the value \"print,fax\""}},
      {{{L"output", out}, {L"format", L"pdfa"}, {L"userpassword", kUserPassword}},
       {L"PDF/A forbids encryption"}},
      {{{L"output", out}, {L"format", L"png"}, {L"stamp", damaged}}, {L"PDF formats only"}},
      {{{L"output", out}, {L"attach", work_ / L"missing.xml"}},
       {L"\"attach\" has the value \"" + work_ / L"missing.xml"}},
      {{{L"output", out}, {L"attach", work_.Path()}}, {L"\"attach\"", work_.Path()}},
  };
  const std::vector<std::wstring> before = ListFiles(work_.Path(), L"*");
  const std::string lockedBytes = ReadFileBytes(locked);
  for (const auto& c : cases) {
    WriteSettings(c.settings);
    const std::wstring spool = work_ / L"bad_printer.ps";
    WriteFileBytes(spool, kTwoPages);
    MessageBoxWatcher watcher;
    EXPECT_EQ(RunConverter(Job(spool, L"Bad"), watcher), 1u);
    ASSERT_EQ(watcher.Count(), 1u) << BoxTexts(watcher);
    const std::wstring box = watcher.Seen()[0].text;
    for (const std::wstring& part : c.told) EXPECT_NE(box.find(part), std::wstring::npos) << box;
    EXPECT_EQ(box.find(L"Secret"), std::wstring::npos) << box;
    EXPECT_TRUE(PathExists(spool));
    DeleteFileW(spool.c_str());
    EXPECT_EQ(ListFiles(work_.Path(), L"*"), before) << Utf8(box);
  }
  EXPECT_EQ(ReadFileBytes(locked), lockedBytes);
  const std::string log = ReadFileBytes(work_ / L"gui.log");
  EXPECT_EQ(log.find("Secret"), std::string::npos) << log;
  EXPECT_NE(log.find("\"print,fax\""), std::string::npos);
}
