// The settings window's pure rules: which printers it lists, the preview of
// the file name, and what a save writes.
#include <gtest/gtest.h>

#include "file_name_preview.h"
#include "printer_choices.h"
#include "setting_changes.h"

namespace {

TEST(SettingsWindowPrinters, ListsThePrintersOnThePortByNameThenAllOtherPrinters) {
  const std::vector<ListedPrinter> listed = {{L"invoices", L"QUILLMAR:"},
                                             {L"Office Laser", L"USB001"},
                                             {L"Quillmar Printer", L"QUILLMAR:"},
                                             {L"", L"QUILLMAR:"},
                                             {L"Archive", L"LPT1:,QUILLMAR:"}};
  const std::vector<PrinterChoice> choices = PrinterChoices(listed, L"QUILLMAR:");
  std::vector<std::wstring> labels, instances;
  for (const PrinterChoice& choice : choices) {
    labels.push_back(choice.label);
    instances.push_back(choice.instance);
  }
  EXPECT_EQ(labels, (std::vector<std::wstring>{L"Archive", L"invoices", L"Quillmar Printer",
                                               L"All other printers"}));
  EXPECT_EQ(instances,
            (std::vector<std::wstring>{L"Archive", L"invoices", L"Quillmar Printer", L""}));
  EXPECT_EQ(PrinterChoices({}, L"QUILLMAR:").size(), 1u);
}

TEST(SettingsWindowPreview, NamesTheExampleDocumentAsItsNextJobWouldBeNamed) {
  const TemplateValues names{kPreviewDocument, L"Invoices",
                             L"anna",          L"2026-12-08",
                             L"093000",        L"0f8fad5b-d9cb-469f-a165-70867728950e"};
  const struct {
    const wchar_t* fileNameTemplate;
    const wchar_t* format;
    const wchar_t* preview;
  } cases[] = {
      {L"", L"pdf", L"Quarterly report.pdf"},
      {L"<date> <title>", L"pdfa", L"2026-12-08 Quarterly report.pdf"},
      {L"<PRINTER>-<user>-<time>", L"png", L"Invoices-anna-093000.png"},
      {L"scan <title>", L"tiff", L"scan Quarterly report.tif"},
      {L"<title>", L"no such format", L"Quarterly report.pdf"},
      {L"a:b", L"pdf", kNoValidFileName},
      {L"CON", L"pdf", kNoValidFileName},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PreviewFileName(c.fileNameTemplate, c.format, names), c.preview)
        << c.fileNameTemplate;
  }
}

TEST(SettingsWindowSave, WritesOnlyTheSettingsWhoseValueChanged) {
  const SettingValues before = {
      {L"format", L"pdf"}, {L"title", L""}, {L"notify", L"yes"}, {L"author", L"Accounts"}};
  const SettingValues after = {{L"format", L"pdfa"}, {L"title", L""},   {L"notify", L"yes"},
                               {L"author", L""},     {L"subject", L""}, {L"keywords", L"q3"}};
  EXPECT_EQ(SettingChanges(before, after),
            (SettingValues{{L"format", L"pdfa"}, {L"author", L""}, {L"keywords", L"q3"}}));
  EXPECT_TRUE(SettingChanges(after, after).empty());
}

}  // namespace
