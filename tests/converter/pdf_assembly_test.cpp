// The PDF steps after Ghostscript, read back with the host's qpdf and poppler.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "external_program.h"
#include "pdf_assembly.h"
#include "pdf_failure.h"
#include "scratch_folder.h"

namespace {

struct HostRun {
  unsigned long exitCode = 0;
  std::string output;  // standard output and error
};

// A host shell command, with `files` as "$1", "$2", ... in their host paths.
HostRun Host(const std::wstring& command, const std::vector<std::wstring>& files) {
  ScratchFolder scratch;
  const std::wstring report = scratch / L"report.txt";
  std::vector<std::wstring> arguments = {L"-c", command + L" >\"$0\" 2>&1",
                                         HostPath(report).value_or(L"")};
  for (const std::wstring& file : files) arguments.push_back(HostPath(file).value_or(L""));
  const RunResult run = RunExternalProgram(ExternalProgram{L"Z:\\bin\\sh", true}, arguments, 60000);
  EXPECT_TRUE(run.finished) << std::string(command.begin(), command.end());
  return {run.exitCode, ReadFileBytes(report)};
}

std::string Stream(const std::string& content) {
  return "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream";
}

// A PDF of `objects` (object 1 is the catalog) with an exact cross-reference table.
std::string PdfOf(const std::vector<std::string>& objects, const std::string& trailer = "") {
  std::string pdf = "%PDF-1.7\n";
  std::string table = "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t i = 0; i < objects.size(); ++i) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
    table += entry;
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  return pdf + table + "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R " +
         trailer + " >>\nstartxref\n" + std::to_string(pdf.size()) + "\n%%EOF\n";
}

const char kFont[] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";

// One page of 300 x 200 points with `text`.
std::string TextPdf(const std::string& text) {
  return PdfOf({"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R "
                "/Resources << /Font << /F1 5 0 R >> >> >>",
                Stream("BT /F1 18 Tf 20 100 Td (" + text + ") Tj ET"), kFont});
}

// One page with a text field, a link, an outline entry and a title.
std::string PdfWithFormLinkAndOutline() {
  return PdfOf({"<< /Type /Catalog /Pages 2 0 R /Outlines 7 0 R /AcroForm << /Fields [6 0 R] >> >>",
                "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R "
                "/Resources << /Font << /F1 5 0 R >> >> /Annots [6 0 R 9 0 R] >>",
                Stream("BT /F1 18 Tf 20 150 Td (Existing page) Tj ET"), kFont,
                "<< /Type /Annot /Subtype /Widget /FT /Tx /T (customer) /V (Acme) "
                "/Rect [20 60 200 90] /P 3 0 R >>",
                "<< /Type /Outlines /First 8 0 R /Last 8 0 R /Count 1 >>",
                "<< /Title (Chapter one) /Parent 7 0 R /Dest [3 0 R /Fit] >>",
                "<< /Type /Annot /Subtype /Link /Rect [20 20 200 40] "
                "/A << /S /URI /URI (https://example.com/terms) >> >>",
                "<< /Title (Ledger) >>"},
               "/Info 10 0 R");
}

// Two pages of different sizes, as Ghostscript writes a job.
const char kNewJob[] =
    "%!PS\n/Helvetica findfont 20 scalefont setfont\n"
    "<< /PageSize [288 144] >> setpagedevice 20 100 moveto (First new page) show showpage\n"
    "<< /PageSize [400 300] >> setpagedevice 20 100 moveto (Second new page) show showpage\n";

struct HostCheck {
  const wchar_t* command;  // "$1" is the result, "$2" the file password.txt
  const char* expected;    // a part of what it prints
};

class PdfAssemblyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(HostProgramsAvailable()) << "these tests run the host's qpdf, poppler and gs";
    const std::wstring postscript = File(L"job.ps", kNewJob);
    assembly_.input = work_ / L"job.pdf";
    ASSERT_EQ(
        Host(L"gs -q -sDEVICE=pdfwrite -o \"$1\" \"$2\"", {assembly_.input, postscript}).exitCode,
        0u);
    assembly_.output = work_ / L"result.pdf";
  }

  std::wstring File(const std::wstring& name, const std::string& bytes) {
    WriteFileBytes(work_ / name, bytes);
    return work_ / name;
  }

  // Each check's command on the result prints its expected text.
  void ExpectChecks(const std::vector<HostCheck>& checks) {
    for (const HostCheck& check : checks) {
      const HostRun run = Host(check.command, {assembly_.output, work_ / L"password.txt"});
      EXPECT_NE(run.output.find(check.expected), std::string::npos)
          << std::string(check.command, check.command + wcslen(check.command)) << "\n"
          << run.output;
    }
  }

  // The failure of the assembly, which must leave no output (but an input
  // that it would have replaced).
  PdfFailure Failure() {
    try {
      AssemblePdf(assembly_);
    } catch (const PdfFailure& failure) {
      EXPECT_EQ(PathExists(assembly_.output), assembly_.output == assembly_.existing);
      return failure;
    }
    ADD_FAILURE() << "the assembly succeeded";
    return {};
  }

  ScratchFolder work_;
  PdfAssembly assembly_;
};

}  // namespace

TEST_F(PdfAssemblyTest, AppendKeepsTheExistingPagesFormLinkOutlineAndTitle) {
  assembly_.existing = File(L"existing.pdf", PdfWithFormLinkAndOutline());
  AssemblePdf(assembly_);
  ExpectChecks(
      {{L"pdfinfo \"$1\" | sed -n 's/^Pages: *//p'", "3"},
       {L"pdfinfo \"$1\" | sed -n 's/^Title: *//p'", "Ledger"},
       {L"pdftotext -f 1 -l 1 \"$1\" -", "Existing page"},
       {L"pdftotext -f 3 -l 3 \"$1\" -", "Second new page"},
       {L"qpdf --json --json-key=acroform \"$1\"", "\"fullname\": \"customer\""},
       {L"qpdf --json --json-key=outlines \"$1\"", "\"title\": \"Chapter one\""},
       {L"qpdf --qdf --object-streams=disable \"$1\" -", "/URI (https://example.com/terms)"},
       {L"qpdf --check \"$1\"", "No syntax or stream encoding errors"}});
}

TEST_F(PdfAssemblyTest, AppendToAnEncryptedFileKeepsItsEncryption) {
  const struct {
    const wchar_t* encryption;  // host qpdf's options
    std::vector<std::wstring> passwords;
    const char* revision;
  } cases[] = {{L"--encrypt user-1 owner-1 256", {L"owner-1", L"user-1"}, "R = 6"},
               {L"--encrypt user-1 owner-1 256", {L"wrong-owner", L"user-1"}, "R = 6"},
               {L"--encrypt user-1 owner-1 128 --use-aes=y", {L"owner-1"}, "R = 4"},
               {L"--allow-weak-crypto --encrypt user-1 owner-1 128", {L"", L"user-1"}, "R = 3"}};
  for (const auto& row : cases) {
    const std::wstring plain = File(L"plain.pdf", TextPdf("Existing page"));
    assembly_.existing = work_ / L"existing.pdf";
    ASSERT_EQ(Host(L"qpdf " + std::wstring(row.encryption) + L" -- \"$1\" \"$2\"",
                   {plain, assembly_.existing})
                  .exitCode,
              0u);
    assembly_.existingPasswords = row.passwords;
    AssemblePdf(assembly_);
    ExpectChecks(
        {{L"qpdf --show-encryption --password=user-1 \"$1\"", row.revision},
         {L"qpdf --show-encryption --password=user-1 \"$1\"", "password is user password"},
         {L"qpdf --show-encryption --password=owner-1 \"$1\"", "password is owner password"},
         {L"qpdf --show-npages --password=user-1 \"$1\"", "3"},
         {L"qpdf --decrypt --password=user-1 \"$1\" --pages . 3 -- - | pdftotext - -",
          "Second new page"}});
  }
}

TEST_F(PdfAssemblyTest, AnEncryptedFileThatNoPasswordOpensFailsNamingOnlyTheFile) {
  const std::wstring plain = File(L"plain.pdf", TextPdf("Existing page"));
  assembly_.existing = work_ / L"existing.pdf";
  ASSERT_EQ(Host(L"qpdf --encrypt user-1 owner-1 256 -- \"$1\" \"$2\"", {plain, assembly_.existing})
                .exitCode,
            0u);
  for (const auto& passwords :
       {std::vector<std::wstring>{}, std::vector<std::wstring>{L"Secret-Owner", L"Secret-User"}}) {
    assembly_.existingPasswords = passwords;
    const PdfFailure failure = Failure();
    EXPECT_EQ(failure.value, assembly_.existing);
    EXPECT_EQ(failure.Text().find(L"Secret-"), std::wstring::npos);
  }
}

TEST_F(PdfAssemblyTest, EncryptionOpensWithEachPasswordAndAllowsWhatWasChosen) {
  const struct {
    const wchar_t* user;
    const wchar_t* owner;
    const wchar_t* permissions;
    unsigned long requiresPassword;  // qpdf --requires-password: 0 yes, 3 no
    std::vector<HostCheck> checks;
  } cases[] = {
      {L"user-\x00E9",
       L"owner-2",
       L"all",
       0,
       {{L"qpdf --show-encryption --password-file=\"$2\" \"$1\"", "password is user password"},
        {L"qpdf --show-encryption --password=owner-2 \"$1\"", "password is owner password"},
        {L"qpdf --show-encryption --password=owner-2 \"$1\"", "modify anything: allowed"},
        {L"qpdf --show-encryption --password=wrong \"$1\"", "Incorrect password"}}},
      {L"user-3",
       L"",
       L"none",
       0,
       {{L"qpdf --show-encryption --password=user-3 \"$1\"", "R = 6"},
        {L"qpdf --show-encryption --password=user-3 \"$1\"", "print high resolution: not allowed"},
        {L"qpdf --show-encryption --password=user-3 \"$1\"",
         "extract for any purpose: not allowed"},
        {L"qpdf --show-encryption --password=user-3 \"$1\"", "modify forms: not allowed"}}},
      {L"",
       L"owner-4",
       L"print,Copy",
       3,
       {{L"qpdf --show-encryption \"$1\"", "print high resolution: allowed"},
        {L"qpdf --show-encryption \"$1\"", "extract for any purpose: allowed"},
        {L"qpdf --show-encryption \"$1\"", "modify document assembly: not allowed"},
        {L"qpdf --show-encryption \"$1\"", "modify annotations: not allowed"},
        {L"pdftotext \"$1\" -", "First new page"}}}};
  // The first row's user password, in UTF-8 as AES-256 keeps it.
  File(L"password.txt", "user-\xC3\xA9\n");
  for (const auto& row : cases) {
    assembly_.encryption = PdfEncryption{row.user, row.owner, ParsePermissions(row.permissions)};
    AssemblePdf(assembly_);
    EXPECT_EQ(Host(L"qpdf --requires-password \"$1\"", {assembly_.output}).exitCode,
              row.requiresPassword);
    ExpectChecks(row.checks);
  }
}

TEST_F(PdfAssemblyTest, BackgroundLiesUnderAndStampOverEveryPageOfUnchangedSize) {
  assembly_.background = File(L"letterhead.pdf", TextPdf("LETTERHEAD"));
  assembly_.stamp = File(L"stamp.pdf", TextPdf("STAMPED"));
  AssemblePdf(assembly_);
  // pdftotext -raw keeps the order in which the page draws its text.
  ExpectChecks({{L"pdftotext -raw -f 1 -l 1 \"$1\" -", "LETTERHEAD\nFirst new page\nSTAMPED"},
                {L"pdftotext -raw -f 2 -l 2 \"$1\" -", "LETTERHEAD\nSecond new page\nSTAMPED"},
                {L"pdfinfo -f 1 -l 2 \"$1\"", "Page    1 size:  288 x 144 pts"},
                {L"pdfinfo -f 1 -l 2 \"$1\"", "Page    2 size:  400 x 300 pts"},
                {L"pdfinfo \"$1\" | sed -n 's/^Pages: *//p'", "2"}});
}

TEST_F(PdfAssemblyTest, AttachmentsAreAssociatedFilesWithTypeSizeAndDate) {
  const std::wstring invoice =
      File(L"invoice.xml", "<Invoice>" + std::string(1000, 'x') + "</Invoice>");
  HANDLE file =
      CreateFileW(invoice.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const SYSTEMTIME written{2024, 5, 1, 6, 7, 8, 9, 0};
  FILETIME time;
  SystemTimeToFileTime(&written, &time);
  SetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
  assembly_.attachments = {invoice, File(L"notes.bin", "abc")};
  assembly_.associatedFiles = true;
  AssemblePdf(assembly_);
  ExpectChecks(
      {{L"qpdf --list-attachments \"$1\"", "invoice.xml ->"},
       {L"qpdf --list-attachments \"$1\"", "notes.bin ->"},
       {L"qpdf --list-attachments --verbose \"$1\"", "mime type: text/xml"},
       {L"qpdf --list-attachments --verbose \"$1\"", "modification date: D:20240506070809Z"},
       {L"qpdf --list-attachments --verbose \"$1\"", "mime type: application/octet-stream"},
       {L"qpdf --qdf --object-streams=disable \"$1\" - | grep -a -c '/AFRelationship /Data'", "2"},
       {L"qpdf --qdf --object-streams=disable \"$1\" - | grep -a -A3 '/AF \\['", "0 R"},
       {L"qpdf --qdf --object-streams=disable \"$1\" - | grep -a '/Size 1019$'", "/Size 1019"},
       {L"qpdf --qdf --object-streams=disable \"$1\" - | grep -a '/UF (invoice.xml)'", "/UF"}});
}

TEST_F(PdfAssemblyTest, BadInputFailsNamingTheSettingAndLeavesNoOutput) {
  const std::wstring text = File(L"letter.txt", "not a PDF");
  const std::wstring missing = work_ / L"missing.pdf";
  const std::wstring existing = File(L"existing.pdf", TextPdf("Existing page"));
  std::string broken = TextPdf("Broken");
  broken.replace(broken.find("4 0 obj"), 7, "9 9 obj");
  const std::wstring cut = File(L"cut.pdf", TextPdf("Cut").substr(0, 300));
  const std::wstring noFolder = work_ / L"no folder\\result.pdf";
  const struct {
    std::function<void(PdfAssembly&)> change;
    const wchar_t* setting;
    std::wstring value;
  } cases[] = {{[&](PdfAssembly& a) { a.background = text; }, L"background", text},
               {[&](PdfAssembly& a) { a.stamp = missing; }, L"stamp", missing},
               {[&](PdfAssembly& a) { a.attachments = {work_.Path()}; }, L"attach", work_.Path()},
               {[&](PdfAssembly& a) {
                  a.attachments = {text, missing};
                },
                L"attach", missing},
               {[&](PdfAssembly& a) { a.existing = cut; }, L"", cut},
               // Found while the result is being written.
               {[&](PdfAssembly& a) { a.existing = File(L"broken.pdf", broken); }, L"",
                work_ / L"broken.pdf"},
               {[&](PdfAssembly& a) { a.output = a.existing = existing; }, L"", existing},
               {[&](PdfAssembly& a) { a.output = noFolder; }, L"", noFolder}};
  for (const auto& row : cases) {
    const PdfAssembly original = assembly_;
    row.change(assembly_);
    const PdfFailure failure = Failure();
    EXPECT_EQ(failure.setting, row.setting) << failure.Text();
    EXPECT_EQ(failure.value, row.value) << failure.Text();
    assembly_ = original;
  }
  EXPECT_EQ(ReadFileBytes(existing), TextPdf("Existing page"));
}

TEST(PdfPermissions, SettingValuesAndUnknownWords) {
  PdfPermissions none{false, false, false, false, false, false};
  PdfPermissions printAndForms = none;
  printAndForms.print = printAndForms.fillForms = true;
  EXPECT_EQ(ParsePermissions(L""), PdfPermissions{});
  EXPECT_EQ(ParsePermissions(L"ALL"), PdfPermissions{});
  EXPECT_EQ(ParsePermissions(L"none"), none);
  EXPECT_EQ(ParsePermissions(L" Print , fillforms"), printAndForms);
  for (const auto& [value, word] :
       {std::pair{L"print,scan", L"\"scan\""}, std::pair{L"all,print", L"\"all\""},
        std::pair{L"print,,copy", L"\"\""}}) {
    try {
      ParsePermissions(value);
      ADD_FAILURE() << "accepted";
    } catch (const PdfFailure& failure) {
      EXPECT_EQ(failure.setting, L"permissions");
      EXPECT_EQ(failure.value, value);
      EXPECT_NE(failure.reason.find(std::wstring(word) + L" is not a permission"),
                std::wstring::npos);
    }
  }
}
