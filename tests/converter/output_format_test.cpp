// The table of formats, one test row for each of its rows: the word that
// picks it, its files, its Save As patterns and Ghostscript's device.
#include "output_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

#include "ghostscript.h"
#include "job_options.h"

namespace {

// The dialog's first pattern: the text after the first description.
std::wstring FirstPattern(const wchar_t* filter) { return filter + std::wcslen(filter) + 1; }

TEST(OutputFormat, EachFormatGivesItsFilesAndItsDevice) {
  const struct {
    const wchar_t* word;
    const wchar_t* extension;
    const wchar_t* pattern;
    bool onePerPage;
    // Ghostscript's arguments between the common ones and the output file.
    std::vector<std::wstring> device;
    bool metadata;  // the document information follows the input
  } cases[] = {
      {L"pdf", L".pdf", L"*.pdf", false, {L"-sDEVICE=pdfwrite", L"-dPDFSETTINGS=/ebook"}, true},
      {L"pdfa",
       L".pdf",
       L"*.pdf",
       false,
       {L"-sDEVICE=pdfwrite", L"-dPDFSETTINGS=/ebook", L"-dPDFA=2", L"-dPDFACompatibilityPolicy=1",
        L"-sColorConversionStrategy=RGB"},
       true},
      {L"png",
       L".png",
       L"*.png",
       true,
       {L"-sDEVICE=png16m", L"-r72", L"-dTextAlphaBits=4", L"-dGraphicsAlphaBits=4"},
       false},
      {L"jpeg",
       L".jpg",
       L"*.jpg;*.jpeg",
       true,
       {L"-sDEVICE=jpeg", L"-dJPEGQ=90", L"-r72", L"-dTextAlphaBits=4", L"-dGraphicsAlphaBits=4"},
       false},
      {L"tiff",
       L".tif",
       L"*.tif;*.tiff",
       false,
       {L"-sDEVICE=tiff24nc", L"-sCompression=lzw", L"-r72", L"-dTextAlphaBits=4",
        L"-dGraphicsAlphaBits=4"},
       false},
  };
  ASSERT_EQ(OutputFormats().size(), std::size(cases)) << "a format without its test row";
  for (const auto& c : cases) {
    const JobOptions options =
        ReadJobOptions({{L"format", c.word}, {L"resolution", L"72"}, {L"quality", L"ebook"}},
                       {TemplateValues{}, [](const std::wstring& text) { return text; }});
    const OutputFormat& format = *options.format;
    EXPECT_EQ(format.word, c.word);
    EXPECT_EQ(format.extension, c.extension) << c.word;
    EXPECT_EQ(FirstPattern(format.saveAsFilter), c.pattern) << c.word;
    EXPECT_EQ(format.onePerPage, c.onePerPage) << c.word;

    const GhostscriptJob job{{L"/w/job.ps"},  L"/o/x",
                             options.format,  options.resolution,
                             options.quality, DocumentInfo{L"T", L"", L"", L""}};
    const std::vector<std::wstring> arguments = GhostscriptArguments(job);
    const auto device = arguments.begin() + 4;
    const auto output = std::find(arguments.begin(), arguments.end(), L"-sOutputFile=/o/x");
    EXPECT_EQ(std::vector<std::wstring>(device, output), c.device) << c.word;
    EXPECT_EQ(arguments.back() == L"[ /Title <FEFF0054> /DOCINFO pdfmark", c.metadata) << c.word;
  }
}

// "openafter" opens only what the user's shell shows as a document of the format.
TEST(OutputFormat, OnlyAFileWithAnExtensionOfItsFormatIsOpenedAfterTheJob) {
  const struct {
    const wchar_t* word;
    const wchar_t* path;
    bool opened;
  } cases[] = {
      {L"pdf", L"C:\\out\\report.pdf", true},
      {L"pdf", L"C:\\out\\REPORT.PDF", true},
      {L"pdf", L"C:\\out\\report.pdf.exe", false},
      {L"pdf", L"C:\\out.pdf\\report", false},
      {L"pdfa", L"C:\\out\\.pdf", false},
      {L"jpeg", L"C:\\out\\scan-1.jpg", true},
      {L"jpeg", L"C:\\out\\scan.jpeg", true},
      {L"jpeg", L"C:\\out\\scan.png", false},
      {L"tiff", L"\\\\server\\share\\fax.tiff", true},
  };
  for (const auto& c : cases) {
    const auto format = std::find_if(OutputFormats().begin(), OutputFormats().end(),
                                     [&](const OutputFormat& f) { return f.word == c.word; });
    ASSERT_NE(format, OutputFormats().end()) << c.word;
    EXPECT_EQ(HasFormatExtension(c.path, *format), c.opened) << c.word << " " << c.path;
  }
}

}  // namespace
