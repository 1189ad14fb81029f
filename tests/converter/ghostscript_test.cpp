// Ghostscript's pure rules: metadata and inputs in its arguments, output
// names, the order of releases.
#include "ghostscript.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const OutputFormat& Format(std::wstring_view word) {
  return *std::find_if(OutputFormats().begin(), OutputFormats().end(),
                       [&](const OutputFormat& format) { return format.word == word; });
}

TEST(GhostscriptCommand, TitleIsHexUtf16WithByteOrderMark) {
  EXPECT_EQ(PdfTextString(L""), L"<FEFF>");
  EXPECT_EQ(PdfTextString(L"A\x00E9\x65E5"), L"<FEFF004100E965E5>");
  EXPECT_EQ(PdfTextString(L"\xD83D\xDE00()\\"), L"<FEFFD83DDE0000280029005C>");
}

TEST(GhostscriptCommand, MetadataFollowsTheInputsAndPdfAItsOutputIntent) {
  const GhostscriptJob job{{L"/w/old.pdf", L"/w/job.ps"},
                           L"/o/x.part",
                           &Format(L"pdfa"),
                           150,
                           L"",
                           DocumentInfo{L"T", L"A) show", L"", L"k"}};
  const std::vector<std::wstring> arguments = GhostscriptArguments(job);
  EXPECT_EQ(arguments.back(),
            L"[ /Title <FEFF0054> /Author <FEFF00410029002000730068006F0077> /Keywords "
            L"<FEFF006B> /DOCINFO pdfmark");
  const auto inputs = std::find(arguments.begin(), arguments.end(), L"-f");
  ASSERT_NE(inputs, arguments.end());
  EXPECT_EQ(std::vector<std::wstring>(inputs + 1, inputs + 3),
            (std::vector<std::wstring>{L"/w/old.pdf", L"/w/job.ps"}));
  ASSERT_EQ(*(inputs - 2), L"-c");  // the output intent, before the inputs
  EXPECT_NE((inputs - 1)->find(L"/GTS_PDFA1"), std::wstring::npos);
}

TEST(GhostscriptCommand, PdfAIsPartThreeOnlyWhenFilesAreEmbedded) {
  GhostscriptJob job{{L"/w/job.ps"}, L"/o/x.part", &Format(L"pdfa"), 150, L"", {}};
  const auto part = [&] {
    const std::vector<std::wstring> arguments = GhostscriptArguments(job);
    std::wstring parts;
    for (const std::wstring& argument : arguments)
      if (argument.starts_with(L"-dPDFA=")) parts += argument;
    return parts;
  };
  EXPECT_EQ(part(), L"-dPDFA=2");
  job.embedsFiles = true;
  EXPECT_EQ(part(), L"-dPDFA=3");
  job.format = &Format(L"pdf");
  EXPECT_EQ(part(), L"");
}

TEST(GhostscriptOutputName, LiteralPercentsAreDoubledAndPagesNumbered) {
  EXPECT_EQ(GhostscriptOutputPath(L"/tmp/100%/%d.pdf"), L"/tmp/100%%/%%d.pdf");
  EXPECT_EQ(GhostscriptPagePattern(L"/tmp/50%-1.png", L".png"), L"/tmp/50%%-%d.png");
  EXPECT_EQ(GhostscriptPagePattern(L"1.png", L".png"), L"1.png");
}

TEST(GhostscriptRelease, PartsCompareAsNumbers) {
  const struct {
    const wchar_t* candidate;
    const wchar_t* current;
    bool later;
  } cases[] = {
      {L"10.02", L"9.56", true},    {L"9.56", L"10.02", false},  {L"10.02.1", L"10.02", true},
      {L"10.2", L"10.02", false},   {L"10.02", L"10.02", false}, {L"9.56.1", L"9.6", true},
      {L"10.03", L"10.02.1", true}, {L"9.x", L"9.5", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsLaterRelease(c.candidate, c.current), c.later) << c.candidate << " " << c.current;
  }
}

}  // namespace
