// The converter's pure rules: file-name templates, output path checks, the
// settings' values and the Ghostscript arguments they give.
#include <gtest/gtest.h>

#include <algorithm>

#include "ghostscript_command.h"
#include "ghostscript_release.h"
#include "job_options.h"
#include "output_name.h"

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
      {L"C:\\a\\b\x0007.pdf", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsUsableOutputPath(c.path), c.usable) << c.path;
}

TEST(OutputPath, NumberingPagesAndGhostscriptPercents) {
  const PathParts parts = SplitExtension(L"C:\\a.b\\report.v2.pdf");
  EXPECT_EQ(NumberedPath(parts, 3), L"C:\\a.b\\report.v2 (3).pdf");
  EXPECT_EQ(PagePath(SplitExtension(L"C:\\a.b\\scan"), 2), L"C:\\a.b\\scan-2");
  EXPECT_EQ(SplitExtension(L"C:\\x\\.profile").extension, L"");
  EXPECT_EQ(GhostscriptOutputPath(L"/tmp/100%/%d.pdf"), L"/tmp/100%%/%%d.pdf");
  EXPECT_EQ(GhostscriptPagePattern(L"/tmp/50%-1.png", L".png"), L"/tmp/50%%-%d.png");
}

TEST(JobSettingValues, AValueOutsideItsListNamesTheSettingAndTheAllowedValues) {
  const struct {
    const wchar_t* name;
    const wchar_t* value;
    const wchar_t* allowed;
  } cases[] = {
      {L"format", L"docx", L"pdf, pdfa, png, jpeg, tiff"},
      {L"existing", L"keep", L"overwrite, number, append"},
      {L"quality", L"best", L"default, screen, ebook, printer, prepress"},
      {L"openafter", L"1", L"no, yes"},
      {L"resolution", L"35", L"36 to 2400"},
      {L"resolution", L"150dpi", L"36 to 2400"},
      {L"output", L"report.pdf", kUsablePathText},
  };
  for (const auto& c : cases) {
    try {
      ReadJobOptions({{c.name, c.value}}, L"doc", L"user");
      ADD_FAILURE() << "accepted " << c.name;
    } catch (const SettingFailure& failure) {
      EXPECT_EQ(failure.name, c.name);
      EXPECT_EQ(failure.value, c.value);
      EXPECT_EQ(failure.allowed, c.allowed);
    }
  }
  EXPECT_THROW(ReadJobOptions({{L"format", L"png"}, {L"existing", L"append"}}, L"d", L"u"),
               SettingFailure);
}

TEST(JobSettingValues, WordsIgnoreCaseAndDefaultsFillTheRest) {
  const JobOptions options = ReadJobOptions(
      {{L"format", L"PDFA"}, {L"existing", L"Append"}, {L"quality", L"eBook"}}, L"Letter", L"anna");
  EXPECT_EQ(options.format, OutputFormat::kPdfA);
  EXPECT_EQ(options.existing, ExistingFile::kAppend);
  EXPECT_EQ(options.quality, L"ebook");
  EXPECT_EQ(options.fileNameTemplate, L"<title>");
  EXPECT_EQ(options.info.title + options.info.author, L"Letteranna");
}

bool Has(const std::vector<std::wstring>& arguments, const std::wstring& argument) {
  return std::find(arguments.begin(), arguments.end(), argument) != arguments.end();
}

TEST(GhostscriptCommand, MetadataIsHexadecimalUtf16AndFormatsPickTheirDevice) {
  GhostscriptJob job{{L"/w/old.pdf", L"/w/job.ps"},
                     L"/o/x.part",
                     OutputFormat::kPdfA,
                     150,
                     L"printer",
                     DocumentInfo{L"T", L"A) show", L"", L"k"}};
  std::vector<std::wstring> arguments = GhostscriptArguments(job);
  EXPECT_TRUE(Has(arguments, L"-dPDFA=2"));
  EXPECT_TRUE(Has(arguments, L"-dPDFSETTINGS=/printer"));
  EXPECT_EQ(arguments.back(),
            L"[ /Title <FEFF0054> /Author <FEFF00410029002000730068006F0077> /Keywords "
            L"<FEFF006B> /DOCINFO pdfmark");
  const auto inputs = std::find(arguments.begin(), arguments.end(), L"-f");
  ASSERT_NE(inputs, arguments.end());
  EXPECT_EQ(*(inputs + 1), L"/w/old.pdf");
  EXPECT_EQ(*(inputs + 2), L"/w/job.ps");

  job.format = OutputFormat::kTiff;
  job.resolution = 72;
  arguments = GhostscriptArguments(job);
  EXPECT_TRUE(Has(arguments, L"-sDEVICE=tiff24nc"));
  EXPECT_TRUE(Has(arguments, L"-r72"));
  EXPECT_EQ(arguments.back(), L"/w/job.ps");  // no pdfmark for images
}

}  // namespace

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
