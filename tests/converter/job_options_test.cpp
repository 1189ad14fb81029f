// The table of job settings: each value read and checked, the defaults, and
// the file that the settings name.
#include "job_options.h"

#include <gtest/gtest.h>

namespace {

const TemplateValues kNames = {L"Q3: draft",  L"Laser",  L"anna",
                               L"2026-12-07", L"134501", L"{0F1E}"};

// "%OUT%" stands for a folder; any other text stays as it is.
std::wstring ExpandOut(const std::wstring& text) {
  return text.starts_with(L"%OUT%") ? L"C:\\out" + text.substr(5) : text;
}

JobOptions Read(const SettingValues& settings) {
  return ReadJobOptions(settings, {kNames, ExpandOut});
}

TEST(JobSettingValues, AnUnusableValueNamesTheSettingTheValueAndWhatIsAllowed) {
  const struct {
    SettingValues settings;
    const wchar_t* name;
    const wchar_t* value;
    std::wstring allowed;
  } cases[] = {
      {{{L"format", L"docx"}}, L"format", L"docx", L"pdf, pdfa, png, jpeg, tiff"},
      {{{L"existing", L"keep"}}, L"existing", L"keep", L"overwrite, number, append"},
      {{{L"quality", L"best"}}, L"quality", L"best", L"default, screen, ebook, printer, prepress"},
      {{{L"openafter", L"1"}}, L"openafter", L"1", L"no, yes"},
      {{{L"notify", L"off"}}, L"notify", L"off", L"no, yes"},
      {{{L"resolution", L"35"}}, L"resolution", L"35", L"36 to 2400"},
      {{{L"resolution", L"150dpi"}}, L"resolution", L"150dpi", L"36 to 2400"},
      {{{L"output", L"report.pdf"}}, L"output", L"report.pdf", kUsablePathText},
      {{{L"format", L"png"}, {L"existing", L"Append"}},
       L"existing",
       L"Append",
       L"overwrite, number (append only with the format pdf or pdfa)"},
      {{{L"outputfolder", L"C:\\out"}, {L"filename", L"<title> <page>"}},
       L"filename",
       L"<title> <page>",
       L"a template that gives a valid file name, of text and the tokens <title>, <printer>, "
       L"<user>, <date>, <time> and <session>"},
      {{{L"outputfolder", L"out"}}, L"outputfolder", L"out", kUsablePathText},
      // The first unusable setting is told: values before the checks across
      // settings, each in the table's order.
      {{{L"outputfolder", L"out"}, {L"resolution", L"1"}, {L"existing", L"x"}},
       L"existing",
       L"x",
       L"overwrite, number, append"},
      {{{L"outputfolder", L"out"}, {L"filename", L"a/b"}}, L"filename", L"a/b", {}},
      {{{L"permissions", L"print,fax"}}, L"permissions", L"print,fax", kPermissionsAllowed.data()},
      {{{L"format", L"png"}, {L"stamp", L"C:\\s.pdf"}},
       L"stamp",
       L"C:\\s.pdf",
       L"nothing with the format png: it is a setting of the PDF formats only"},
      {{{L"format", L"tiff"}, {L"permissions", L"print"}}, L"permissions", L"print", {}},
      {{{L"format", L"jpeg"}, {L"attach", L"C:\\a.xml"}}, L"attach", L"C:\\a.xml", {}},
      // A password is never shown.
      {{{L"format", L"png"}, {L"userpassword", L"s3cret"}}, L"userpassword", kHiddenValue, {}},
      {{{L"format", L"pdfa"}, {L"ownerpassword", L"s3cret"}},
       L"ownerpassword",
       kHiddenValue,
       L"no password with the format pdfa: PDF/A forbids encryption"},
      {{{L"format", L"pdfa"}, {L"permissions", L"print"}},
       L"permissions",
       L"print",
       L"no permissions with the format pdfa: PDF/A forbids encryption"},
      {{{L"attach", L"C:\\a.xml|b.xml"}}, L"attach", L"C:\\a.xml|b.xml", kUsablePathText},
      {{{L"background", L"letter.pdf"}}, L"background", L"letter.pdf", kUsablePathText},
  };
  for (const auto& c : cases) {
    try {
      Read(c.settings);
      ADD_FAILURE() << "accepted " << c.name << "=" << c.value;
    } catch (const SettingFailure& failure) {
      EXPECT_EQ(failure.name, c.name);
      EXPECT_EQ(failure.value, c.value);
      if (!c.allowed.empty()) {
        EXPECT_EQ(failure.allowed, c.allowed);
      }
    }
  }
}

TEST(JobSettingValues, WordsIgnoreCaseAndDefaultsFillTheRest) {
  JobOptions options = Read({{L"format", L"PDFA"},
                             {L"existing", L"Append"},
                             {L"quality", L"eBook"},
                             {L"openafter", L"YES"},
                             {L"notify", L"No"}});
  EXPECT_EQ(options.format->word, L"pdfa");
  EXPECT_EQ(options.existing, ExistingFile::kAppend);
  EXPECT_EQ(options.quality, L"ebook");
  EXPECT_TRUE(options.openAfter);
  EXPECT_FALSE(options.notify);
  EXPECT_EQ(options.resolution, 150);
  EXPECT_EQ(options.info.title + L"|" + options.info.author, L"Q3: draft|anna");

  options = Read({{L"title", L"T"}, {L"author", L""}, {L"quality", L"default"}});
  EXPECT_EQ(options.format->word, L"pdf");
  EXPECT_EQ(options.existing, ExistingFile::kOverwrite);
  EXPECT_EQ(options.quality, L"");
  EXPECT_FALSE(options.openAfter);
  EXPECT_TRUE(options.notify);
  EXPECT_EQ(options.info.title + L"|" + options.info.author, L"T|anna");
}

TEST(JobSettingValues, PdfStepsTakePasswordsPermissionsLayersAndAttachments) {
  const JobOptions options = Read({{L"userpassword", L"u"},
                                   {L"ownerpassword", L"o"},
                                   {L"permissions", L"Print, copy"},
                                   {L"stamp", L"C:\\s.pdf"},
                                   {L"attach", L"C:\\a.xml||\\\\srv\\share\\b c.txt|"}});
  EXPECT_EQ(options.pdf.userPassword + options.pdf.ownerPassword, L"uo");
  EXPECT_TRUE(options.pdf.permissions.print && options.pdf.permissions.copy);
  EXPECT_FALSE(options.pdf.permissions.modify || options.pdf.permissions.assemble);
  EXPECT_EQ(options.pdf.stamp, L"C:\\s.pdf");
  EXPECT_TRUE(options.pdf.background.empty());
  EXPECT_EQ(options.pdf.attachments,
            (std::vector<std::wstring>{L"C:\\a.xml", L"\\\\srv\\share\\b c.txt"}));
  EXPECT_FALSE(Read({{L"format", L"pdfa"}, {L"attach", L"C:\\a.xml"}}).pdf.Encrypts());
  // Permissions alone encrypt, so that they hold; "all" alone does not.
  EXPECT_TRUE(Read({{L"permissions", L"none"}}).pdf.Encrypts());
  EXPECT_FALSE(Read({{L"permissions", L"ALL"}}).pdf.Encrypts());
}

TEST(JobSettingValues, TheFileToWriteIsNamedOrBuiltInTheFolderOrAskedFor) {
  const struct {
    SettingValues settings;
    const wchar_t* output;  // empty: the user is asked
  } cases[] = {
      {{}, L""},
      // The template is used, and checked, only with a folder and no file.
      {{{L"filename", L"<page>"}}, L""},
      {{{L"output", L"C:\\a\\x.pdf"}, {L"outputfolder", L"nowhere"}, {L"filename", L"<page>"}},
       L"C:\\a\\x.pdf"},
      {{{L"outputfolder", L"%OUT%\\scans\\\\"}, {L"format", L"jpeg"}},
       L"C:\\out\\scans\\Q3_ draft.jpg"},
      {{{L"outputfolder", L"\\\\server\\share"}, {L"filename", L"<DATE>-<session> <user>"}},
       L"\\\\server\\share\\2026-12-07-{0F1E} anna.pdf"},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(c.settings).output, c.output) << c.output;
}

}  // namespace
