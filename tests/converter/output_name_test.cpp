// Names of a job's output: file-name templates, output path checks, numbering.
#include "output_name.h"

#include <gtest/gtest.h>

namespace {

const TemplateValues kNames = {
    L"Q3: \"Sales\" <draft>?", L"Office\\Laser", L"anna", L"2026-12-07", L"134501", L"{0F1E}"};

TEST(FileNameTemplate, TokensAreReplacedBySafeValuesAndTheRestIsKept) {
  const struct {
    const wchar_t* fileNameTemplate;
    std::optional<std::wstring> name;
  } cases[] = {
      {L"<title>", L"Q3_ _Sales_ _draft__"},
      {L"<DATE> <User>-<time> on <printer>", L"2026-12-07 anna-134501 on Office_Laser"},
      {L"<session>", L"{0F1E}"},
      {L"invoice <title", std::nullopt},  // "<" is no file-name character
      {L"<unknown>", std::nullopt},
      {L"a/b", std::nullopt},
      {L"report.", std::nullopt},
      {L"con", std::nullopt},
      {L"NUL .txt", std::nullopt},
      {L"COM\u00B9", std::nullopt},
      {L"console", L"console"},
      {L"100%", L"100%"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExpandFileNameTemplate(c.fileNameTemplate, kNames), c.name) << c.fileNameTemplate;
  }
  TemplateValues noTitle = kNames;
  noTitle.title = L"...";
  EXPECT_EQ(ExpandFileNameTemplate(L"<title>", noTitle), L"document");
  noTitle.printer = L"";
  EXPECT_EQ(ExpandFileNameTemplate(L"<printer>", noTitle), std::nullopt);
}

// Every document is saved: a title that Windows would take for a device, that
// is too long, or that starts or ends in a blank or a dot, gives a valid name.
TEST(FileNameTemplate, EveryTitleGivesAValidName) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      // clang-format off
      {L"NUL .txt", L"NUL_ .txt"}, {L"COM1 .log", L"COM1_ .log"}, {L"CON", L"CON_"},
      {L"lpt\u00B3", L"lpt\u00B3_"}, {L"NUL .", L"NUL_"}, {L" . x . ", L"x"},
      {std::wstring(250, L'x'), std::wstring(200, L'x')},
  };  // clang-format on
  TemplateValues values = kNames;
  for (const auto& [title, name] : cases) {
    values.title = title;
    EXPECT_EQ(ExpandFileNameTemplate(L"<title>", values), name) << testing::PrintToString(title);
  }
  values.title = L"n.x";
  EXPECT_EQ(ExpandFileNameTemplate(L"co<title>", values), L"con_.x");
}

TEST(OutputPath, OnlyFullLocalOrUncPathsAreUsed) {
  const struct {
    const wchar_t* path;
    bool usable;
  } cases[] = {
      {L"C:\\Documents\\report.pdf", true},
      {L"\\\\server\\share\\report 100%.pdf", true},
      {L"report.pdf", false},
      {L"C:report.pdf", false},
      {L"%pipe%lpr", false},
      {L"|lpr", false},
      {L"\\\\.\\pipe\\x", false},
      {L"\\\\server\\share", false},
      {L"C:\\Documents\\", false},
      {L"C:\\a\\NUL.pdf", false},
      {L"C:\\a\\NUL .txt.pdf", false},
      {L"C:\\a\\com\u00B2.pdf", false},
      {L"C:\\CON\\x.pdf", false},
      {L"C:\\a\\COM0.pdf", true},
      {L"C:\\a\\b\x0007.pdf", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsUsableOutputPath(c.path), c.usable) << c.path;
}

TEST(OutputPath, NumberedAndPageNamesKeepTheExtension) {
  const PathParts parts = SplitExtension(L"C:\\a.b\\report.v2.pdf");
  EXPECT_EQ(NumberedPath(parts, 3), L"C:\\a.b\\report.v2 (3).pdf");
  EXPECT_EQ(PagePath(SplitExtension(L"C:\\a.b\\scan"), 2), L"C:\\a.b\\scan-2");
  EXPECT_EQ(SplitExtension(L"C:\\x\\.profile").extension, L"");
}

}  // namespace
