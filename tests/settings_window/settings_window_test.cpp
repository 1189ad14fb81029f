// The installed settings window, driven through its controls by their labels;
// what it saves is read back through the settings object, as scripts read it.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <optional>

#include "automation_call.h"
#include "dialog_controls.h"
#include "dialog_program.h"
#include "installed_product.h"
#include "product_names.h"
#include "scratch_folder.h"
#include "unique_resource.h"

namespace {

constexpr wchar_t kCaption[] = L"Quillmar PDF Writer Settings";
constexpr wchar_t kAllOtherPrinters[] = L"All other printers";
constexpr DWORD kExitMs = 20000;

using Values = std::map<std::wstring, std::wstring>;

// The control of `dialog` whose text holds `fragment`; null when none does.
HWND TextContaining(HWND dialog, const std::wstring& fragment) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ControlText(child).find(fragment) != std::wstring::npos) return child;
  }
  return nullptr;
}

// A question of the window (a message box of the product), waited for.
HWND WaitForQuestion() {
  HWND box = nullptr;
  WaitUntil([&] { return (box = FindWindowW(L"#32770", L"Quillmar PDF Writer")) != nullptr; },
            10000);
  return box;
}

// settings.exe started from the program folder, and its window.
class SettingsWindow : public DialogProgram {
 public:
  explicit SettingsWindow(const std::wstring& folder)
      : DialogProgram(L"\"" + folder + L"\\settings.exe\"", 20000) {
    EXPECT_TRUE(Started()) << "settings.exe did not start";
    if (Window()) {
      EXPECT_EQ(ControlText(Window()), kCaption);
    }
  }
};

// The installed product with the settings files in a scratch folder of this
// test: the window, started from here, and the settings object in this
// process both find their data folder through APPDATA.
class SettingsWindowTest : public InstalledProduct {
 protected:
  void SetUp() override {
    InstalledProduct::SetUp();
    SetEnvironmentVariableW(L"APPDATA", appData_.Path().c_str());
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override {
    CoUninitialize();
    InstalledProduct::TearDown();
  }

  // The regular settings of `instance` as the settings object reads them.
  static Values Read(const std::wstring& instance, const Values& names) {
    const ComPtr<IDispatch> settings = CreateByProgId(kSettingsProgId);
    EXPECT_TRUE(settings);
    Values read;
    if (!settings) return read;
    CallByName(settings.get(), L"SetPrinterInstance", {instance});
    CallByName(settings.get(), L"LoadSettings", {false});
    for (const auto& [name, value] : names) {
      read[name] = CallByName(settings.get(), L"GetValue", {name}).text;
    }
    return read;
  }

  // Writes regular settings as a script does.
  static void Write(const std::wstring& instance, const Values& values) {
    const ComPtr<IDispatch> settings = CreateByProgId(kSettingsProgId);
    ASSERT_TRUE(settings);
    CallByName(settings.get(), L"SetPrinterInstance", {instance});
    CallByName(settings.get(), L"LoadSettings", {false});
    for (const auto& [name, value] : values) {
      ASSERT_TRUE(CallByName(settings.get(), L"SetValue", {name, value}).Succeeded()) << name;
    }
    ASSERT_TRUE(CallByName(settings.get(), L"WriteSettings", {false}).Succeeded());
  }

  ScratchFolder appData_;
};

TEST_F(SettingsWindowTest, SavesAPrintersSettingsThatTheSettingsObjectReadsBack) {
  {
    SettingsWindow window(folder_);
    ASSERT_TRUE(window.Window());
    ASSERT_TRUE(window.Choose(L"Printer:", kPrinterName));
    window.SetChecked(L"Save automatically", true);
    window.Type(L"Folder:", L"C:\\Reports\\%USERNAME%");
    window.Type(L"File name:", L"<date> <title>");
    ASSERT_TRUE(window.Choose(L"Format:", L"PDF/A"));
    ASSERT_TRUE(window.Choose(L"If the file exists:", L"Add a number"));
    window.Type(L"Title:", L"Quarterly figures");
    window.Type(L"Author:", L"Accounts");
    window.Type(L"Subject:", L"Results");
    window.Type(L"Keywords:", L"q3 2026");
    window.Type(L"Letterhead:", L"C:\\Forms\\letterhead.pdf");
    window.Type(L"Stamp:", L"C:\\Forms\\copy.pdf");
    window.SetChecked(L"Show a notice when a file is saved", false);
    window.SetChecked(L"Open the file when done", true);
    window.Press(L"Save");
    EXPECT_EQ(window.WaitForExit(kExitMs), 0u);
  }
  const Values expected = {{L"outputfolder", L"C:\\Reports\\%USERNAME%"},
                           {L"filename", L"<date> <title>"},
                           {L"format", L"pdfa"},
                           {L"existing", L"number"},
                           {L"title", L"Quarterly figures"},
                           {L"author", L"Accounts"},
                           {L"subject", L"Results"},
                           {L"keywords", L"q3 2026"},
                           {L"background", L"C:\\Forms\\letterhead.pdf"},
                           {L"stamp", L"C:\\Forms\\copy.pdf"},
                           {L"notify", L"no"},
                           {L"openafter", L"yes"}};
  EXPECT_EQ(Read(kPrinterName, expected), expected);
  // Every other printer's settings are not touched.
  EXPECT_EQ(Read(L"", {{L"format", L""}, {L"outputfolder", L""}}),
            (Values{{L"format", L""}, {L"outputfolder", L""}}));

  // Opened again, the window shows what was saved; turning automatic saving
  // off removes the folder setting, so the job window asks.
  SettingsWindow again(folder_);
  ASSERT_TRUE(again.Choose(L"Printer:", kPrinterName));
  EXPECT_EQ(again.Text(L"Folder:"), L"C:\\Reports\\%USERNAME%");
  EXPECT_TRUE(again.Checked(L"Save automatically"));
  EXPECT_FALSE(again.Checked(L"Show a notice when a file is saved"));
  again.SetChecked(L"Save automatically", false);
  again.Press(L"Save");
  EXPECT_EQ(again.WaitForExit(kExitMs), 0u);
  EXPECT_EQ(Read(kPrinterName, {{L"outputfolder", L""}, {L"format", L""}}),
            (Values{{L"outputfolder", L""}, {L"format", L"pdfa"}}));
}

TEST_F(SettingsWindowTest, PreviewNamesTheNextJobOfQuarterlyReportAsTheTemplateIsTyped) {
  SettingsWindow window(folder_);
  ASSERT_TRUE(window.Window());
  EXPECT_EQ(window.Text(L"Preview:"), L"Quarterly report.pdf");
  const struct {
    const wchar_t* typed;
    const wchar_t* format;
    const wchar_t* preview;
  } cases[] = {
      {L"Scan of <title>", L"PDF", L"Scan of Quarterly report.pdf"},
      {L"<printer> - <title>", L"PNG", L"Quillmar Printer - Quarterly report.png"},
      {L"", L"TIFF", L"Quarterly report.tif"},
      {L"bad:name", L"PDF", L"(no valid file name)"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(window.Choose(L"Format:", c.format));
    window.Type(L"File name:", c.typed);
    EXPECT_EQ(window.Text(L"Preview:"), c.preview) << c.typed;
  }
}

TEST_F(SettingsWindowTest, ARefusedValueIsShownBesideItsFieldAndNothingIsWritten) {
  Write(L"", {{L"title", L"Kept"}});
  const struct {
    const wchar_t* field;
    const wchar_t* value;
    const wchar_t* told;  // in the text shown beside the field
  } cases[] = {
      {L"Folder:", L"Reports\\relative", L"outputfolder"},
      {L"File name:", L"<title>|<date>", L"filename"},
      {L"Letterhead:", L"letterhead.pdf", L"background"},
      {L"Folder:", L"", L"folder is needed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    SettingsWindow window(folder_);
    ASSERT_TRUE(window.Choose(L"Printer:", kAllOtherPrinters));
    EXPECT_EQ(window.Text(L"Title:"), L"Kept");
    window.Type(L"Title:", L"Changed");
    window.SetChecked(L"Save automatically", true);
    window.Type(L"Folder:", L"C:\\Reports");
    window.Type(c.field, c.value);
    window.Press(L"Save");
    // The window stays open with the reason.
    EXPECT_FALSE(window.WaitForExit(1500).has_value());
    const HWND told = TextContaining(window.Window(), c.told);
    ASSERT_TRUE(told) << "no text names " << c.told;
    RECT field{}, beside{};
    GetWindowRect(window.Control(c.field), &field);
    GetWindowRect(told, &beside);
    EXPECT_EQ(beside.top, field.top);
    EXPECT_GT(beside.left, field.right);
    EXPECT_EQ(Read(L"", {{L"title", L""}, {L"outputfolder", L""}}),
              (Values{{L"title", L"Kept"}, {L"outputfolder", L""}}));
  }
}

TEST_F(SettingsWindowTest, SettingsTheWindowDoesNotShowSurviveASave) {
  const Values hidden = {{L"resolution", L"300"},
                         {L"quality", L"ebook"},
                         {L"permissions", L"print"},
                         {L"attach", L"C:\\Invoices\\invoice.xml"},
                         {L"x-script-note", L"kept as written"}};
  Write(L"", hidden);
  SettingsWindow window(folder_);
  ASSERT_TRUE(window.Choose(L"Printer:", kAllOtherPrinters));
  window.Type(L"Author:", L"Accounts");
  window.Press(L"Save");
  EXPECT_EQ(window.WaitForExit(kExitMs), 0u);
  Values expected = hidden;
  expected[L"author"] = L"Accounts";
  EXPECT_EQ(Read(L"", expected), expected);
}

TEST_F(SettingsWindowTest, ResetRemovesThePrintersRegularSettingsAfterAConfirmation) {
  const Values own = {{L"format", L"png"}, {L"author", L"Accounts"}, {L"x-script-note", L"x"}};
  Write(kPrinterName, own);
  Write(L"", {{L"format", L"tiff"}});
  SettingsWindow window(folder_);
  ASSERT_TRUE(window.Choose(L"Printer:", kPrinterName));
  EXPECT_EQ(window.Text(L"Author:"), L"Accounts");

  // Answered "No", nothing goes.
  window.Press(L"Reset");
  HWND question = WaitForQuestion();
  ASSERT_TRUE(question);
  Click(ControlByText(question, L"No"));
  ASSERT_TRUE(WaitUntilGone(question, 5000));
  EXPECT_EQ(Read(kPrinterName, own), own);

  window.Press(L"Reset");
  question = WaitForQuestion();
  ASSERT_TRUE(question);
  Click(ControlByText(question, L"Yes"));
  ASSERT_TRUE(WaitUntil([&] { return window.Text(L"Author:").empty(); }, 5000));
  EXPECT_EQ(Read(kPrinterName, own),
            (Values{{L"format", L""}, {L"author", L""}, {L"x-script-note", L""}}));
  EXPECT_EQ(Read(L"", {{L"format", L""}}), (Values{{L"format", L"tiff"}}));
  ASSERT_TRUE(window.Choose(L"Printer:", kAllOtherPrinters));
  window.Press(L"Cancel");
  EXPECT_EQ(window.WaitForExit(kExitMs), 1u);
}

}  // namespace
