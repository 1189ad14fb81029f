// The job window of gui.exe, driven through its controls as a user would
// (found by their labels), with the results read back by the host's tools.
#include <windows.h>

#include <gtest/gtest.h>

#include "converter_command_line.h"
#include "dialog_controls.h"
#include "dialog_program.h"
#include "host_reports.h"
#include "job_window_ids.h"
#include "printer_settings.h"
#include "registry_override.h"
#include "scratch_folder.h"
#include "wine_host_bridge.h"

namespace {

const char kOnePage[] =
    "%!PS\n<< /PageSize [288 144] >> setpagedevice /Helvetica findfont 20 scalefont setfont\n"
    "20 60 moveto (Window page) show showpage\n";

constexpr wchar_t kJobWindowKey[] = L"Software\\Quillmar\\PDF Writer\\Job window";

// A gui.exe with a job, its window and its end.
class RunningJob : public DialogProgram {
 public:
  // Waits for the window unless the job is to run without one.
  explicit RunningJob(const std::wstring& parameters, bool windowExpected = true)
      : DialogProgram(
            ConverterCommandLine(
                WindowsPathOf(GUI_EXE).substr(0, WindowsPathOf(GUI_EXE).rfind(L'\\')), parameters),
            windowExpected ? 30000 : 0) {
    EXPECT_TRUE(Started());
  }

  HWND Field(const wchar_t* label) const {
    const HWND control = Control(label);
    EXPECT_TRUE(control) << "no field after the label";
    return control;
  }
  HWND Button(const wchar_t* text) const { return Field(text); }
  void Select(const wchar_t* label, const wchar_t* item) const { EXPECT_TRUE(Choose(label, item)); }
  void Check(const wchar_t* text, bool checked) const { SetChecked(text, checked); }

  // The exit code once the process ends.
  DWORD Finish() const {
    const std::optional<DWORD> code = WaitForExit(90000);
    EXPECT_TRUE(code.has_value());
    return code.value_or(0xFFFF);
  }
  bool StillOpen() const { return !WaitForExit(1000) && IsWindowVisible(Window()); }
};

class JobWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(HostProgramsAvailable()) << "these tests run the host's Ghostscript";
    SetEnvironmentVariableW(L"APPDATA", data_.Path().c_str());
    appFolder_.Set(app_.Path());
    logFolder_.Remove();
    documentsFolder_.Set(documents_.Path(), REG_EXPAND_SZ);
    RegDeleteTreeW(HKEY_CURRENT_USER, kJobWindowKey);
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kJobWindowKey); }

  std::wstring Job(const std::wstring& document, const std::wstring& printer = L"Office") {
    spool_ = work_ / (std::to_wstring(++jobs_) + L"_printer.ps");
    WriteFileBytes(spool_, kOnePage);
    return JobParameters(spool_, L"session", document, printer);
  }

  // Settings of one instance, written with the settings component's code.
  static std::wstring Setting(const std::wstring& instance, const wchar_t* name,
                              bool isRunOnce = false) {
    PrinterSettings settings;
    settings.SetPrinterInstance(instance);
    settings.LoadSettings(isRunOnce);
    return settings.GetValue(name);
  }

  int jobs_ = 0;
  std::wstring spool_;
  ScratchFolder work_;
  ScratchFolder out_;
  ScratchFolder app_;
  ScratchFolder data_;
  ScratchFolder documents_;
  MonitorSettingOverride appFolder_{L"AppFolder"};
  MonitorSettingOverride logFolder_{L"LogFolder"};
  RegistryValueOverride documentsFolder_{
      HKEY_CURRENT_USER,
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", L"Personal"};
};

}  // namespace

// Each case is a job whose window the user fills in; an earlier file of the
// same name is there when the case needs one.
TEST_F(JobWindow, TheChosenNameFolderFormatMetadataSecurityAndRuleMakeTheFile) {
  const struct {
    const wchar_t* format;
    const wchar_t* existing;  // the item of "If the file exists:"
    bool fileThere;
    const wchar_t* userPassword;
    std::wstring file;  // what comes of the name "minutes.pdf"
    // Host commands on the file, each with a part of what it must print.
    std::vector<std::pair<std::wstring, const char*>> reports;
  } cases[] = {
      {L"PDF",
       L"Add a number",
       true,
       L"open sesame",
       L"minutes (2).pdf",
       {{L"pdfinfo -upw 'open sesame' \"$0\"", "Title:           Board minutes"},
        {L"pdfinfo -upw 'open sesame' \"$0\"", "Keywords:        board 2026"},
        {L"pdfinfo -upw 'open sesame' \"$0\"", "Author:          clerk"},
        {L"qpdf --show-encryption --password='open sesame' \"$0\"", "R = 6\n"},
        {L"qpdf --show-encryption --password='open sesame' \"$0\"",
         "extract for any purpose: not allowed"},
        {L"qpdf --show-encryption --password='open sesame' \"$0\"",
         "print high resolution: allowed"}}},
      {L"PDF/A",
       L"Add the pages at the end",
       true,
       L"",
       L"minutes.pdf",
       {{L"pdfinfo \"$0\"", "Pages:           2"}}},
      {L"PNG", L"Replace it", false, L"", L"minutes.pdf.png", {{L"file \"$0\"", "PNG image"}}},
  };
  for (const auto& c : cases) {
    RemoveTree(out_ / L"case");
    CreateDirectoryW((out_ / L"case").c_str(), nullptr);
    if (c.fileThere) {
      PrinterSettings settings;  // an earlier page, through an automatic job
      settings.SetValue(L"output", out_ / L"case\\minutes.pdf");
      settings.WriteSettings(true);
      ASSERT_EQ(RunningJob(Job(L"Earlier"), false).Finish(), 0u);
    }
    RunningJob job(Job(L"Board minutes"));
    ASSERT_TRUE(job.Window());
    EXPECT_EQ(ControlText(job.Field(L"File name:")), L"Board minutes");
    job.Type(L"File name:", L"minutes.pdf");
    job.Type(L"Folder:", out_ / L"case");
    job.Select(L"Format:", c.format);
    job.Type(L"Author:", L"clerk");
    job.Type(L"Keywords:", L"board 2026");
    job.Select(L"If the file exists:", c.existing);
    job.Type(L"Password to open:", c.userPassword);
    const bool isPdf = std::wstring(c.format) == L"PDF";
    job.Type(L"Owner password:", isPdf ? L"owner" : L"");
    job.Check(L"Allow copying", !isPdf);
    Click(job.Button(L"Save"));
    EXPECT_EQ(job.Finish(), 0u);
    const std::wstring file = out_ / (L"case\\" + c.file);
    ASSERT_TRUE(PathExists(file)) << c.format;
    for (const auto& [command, expected] : c.reports)
      EXPECT_NE(HostTool(command, file).find(expected), std::string::npos) << expected;
    EXPECT_FALSE(PathExists(spool_));
  }
}

TEST_F(JobWindow, ARefusedValueIsShownBesideItsFieldAndTheJobSavesOnceMended) {
  RunningJob job(Job(L"Refused"));
  ASSERT_TRUE(job.Window());
  EXPECT_EQ(ControlText(job.Field(L"Folder:")), documents_.Path());
  job.Select(L"Format:", L"PDF/A");
  job.Type(L"Password to open:", L"secret");
  Click(job.Button(L"Save"));
  const HWND refusal = GetDlgItem(job.Window(), IDC_REFUSAL);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(refusal); }, 5000));
  EXPECT_NE(ControlText(refusal).find(L"PDF/A forbids encryption"), std::wstring::npos);
  RECT field{};
  RECT told{};
  GetWindowRect(job.Field(L"Password to open:"), &field);
  GetWindowRect(refusal, &told);
  EXPECT_EQ(told.top, field.top);
  EXPECT_GE(told.left, field.right);
  EXPECT_TRUE(job.StillOpen());

  job.Type(L"Password to open:", L"");
  job.Type(L"Folder:", L"relative\\folder");
  Click(job.Button(L"Save"));
  ASSERT_TRUE(WaitUntil(
      [&] { return ControlText(refusal).find(L"outputfolder") != std::wstring::npos; }, 5000));
  EXPECT_TRUE(job.StillOpen());

  job.Type(L"Folder:", out_.Path());
  Click(job.Button(L"Save"));
  EXPECT_EQ(job.Finish(), 0u);
  EXPECT_TRUE(PathExists(out_ / L"Refused.pdf"));
}

// The Cancel button, Esc and the close box all cancel.
TEST_F(JobWindow, CancelSavesNothingAndRemovesTheSpoolFile) {
  for (const auto cancel : {+[](HWND window) { Click(ControlByText(window, L"Cancel")); },
                            +[](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }}) {
    RunningJob job(Job(L"Cancelled"));
    ASSERT_TRUE(job.Window());
    job.Type(L"Folder:", out_.Path());
    cancel(job.Window());
    EXPECT_EQ(job.Finish(), 0u);
    EXPECT_FALSE(PathExists(spool_));
    EXPECT_TRUE(ListFiles(out_.Path(), L"*").empty());
    EXPECT_TRUE(ListFiles(documents_.Path(), L"*").empty());
  }
  EXPECT_NE(ReadFileBytes(work_ / L"gui.log").find("cancelled by the user"), std::string::npos);
}

TEST_F(JobWindow, SettingsKeptForEveryJobAreRegularWithoutPasswordsAndStartTheNextJob) {
  {
    RunningJob job(Job(L"First"));
    ASSERT_TRUE(job.Window());
    job.Type(L"Folder:", out_.Path());
    job.Select(L"If the file exists:", L"Add a number");
    job.Type(L"Subject:", L"kept");
    job.Type(L"Password to open:", L"never kept");
    job.Type(L"Owner password:", L"never kept either");
    job.Check(L"Allow changes", false);
    job.Check(L"Use these settings for every job of this printer", true);
    Click(job.Button(L"Save"));
    EXPECT_EQ(job.Finish(), 0u);
  }
  EXPECT_EQ(Setting(L"Office", L"subject"), L"kept");
  EXPECT_EQ(Setting(L"Office", L"existing"), L"number");
  EXPECT_EQ(Setting(L"Office", L"permissions"), L"print,copy");
  for (const wchar_t* name : {L"userpassword", L"ownerpassword", L"outputfolder", L"title"})
    EXPECT_EQ(Setting(L"Office", name), L"") << name;
  EXPECT_EQ(Setting(L"Office", L"subject", true), L"");
  EXPECT_EQ(Setting(L"", L"subject"), L"");

  RunningJob next(Job(L"Second"));
  ASSERT_TRUE(next.Window());
  EXPECT_EQ(ControlText(next.Field(L"Subject:")), L"kept");
  EXPECT_TRUE(SelectedItem(next.Field(L"If the file exists:")).starts_with(L"Add a number"));
  EXPECT_FALSE(IsChecked(next.Button(L"Allow changes")));
  EXPECT_EQ(ControlText(next.Field(L"Password to open:")), L"");
  EXPECT_EQ(ControlText(next.Field(L"Title:")), L"Second");
}

TEST_F(JobWindow, TheFolderIsRememberedPerPrinter) {
  {
    RunningJob job(Job(L"Remembered", L"Office"));
    ASSERT_TRUE(job.Window());
    job.Type(L"Folder:", out_.Path());
    Click(job.Button(L"Save"));
    EXPECT_EQ(job.Finish(), 0u);
  }
  const struct {
    const wchar_t* printer;
    std::wstring folder;
  } cases[] = {{L"Office", out_.Path()}, {L"Invoices", documents_.Path()}};
  for (const auto& c : cases) {
    RunningJob job(Job(L"Next", c.printer));
    ASSERT_TRUE(job.Window());
    EXPECT_EQ(ControlText(job.Field(L"Folder:")), c.folder) << c.printer;
    Click(job.Button(L"Cancel"));
    EXPECT_EQ(job.Finish(), 0u);
  }
}
