// The PDF steps after Ghostscript, read back with the host's qpdf and poppler.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "wine_host_bridge.h"
#include "pdf_assembly.h"
#include "pdf_failure.h"
#include "sample_pdfs.h"
#include "scratch_folder.h"

namespace {

// What a host shell command prints (standard output and error), with `files`
// as "$1", "$2", ... in their host paths.
std::string Host(const std::wstring& command, const std::vector<std::wstring>& files) {
  ScratchFolder scratch;
  const std::wstring report = scratch / L"report.txt";
  std::vector<std::wstring> arguments = {L"-c", command + L" >\"$0\" 2>&1",
                                         HostPath(report).value_or(L"")};
  for (const std::wstring& file : files) arguments.push_back(HostPath(file).value_or(L""));
  const RunResult run = RunHostProgram(L"Z:\\bin\\sh", arguments, 60000);
  EXPECT_TRUE(run.finished) << std::string(command.begin(), command.end());
  return ReadFileBytes(report);
}

// Two pages of different sizes, as Ghostscript writes a job.
const char kNewJob[] =
    "%!PS\n/Helvetica findfont 20 scalefont setfont\n"
    "<< /PageSize [288 144] >> setpagedevice 20 100 moveto (First new page) show showpage\n"
    "<< /PageSize [400 300] >> setpagedevice 20 100 moveto (Second new page) show showpage\n";

struct HostCheck {
  const wchar_t* command;             // "$1" is the result, "$2" the file password.txt
  std::vector<const char*> expected;  // parts of what it prints
};

class PdfAssemblyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(HostProgramsAvailable()) << "these tests run the host's qpdf, poppler and gs";
    const std::wstring postscript = File(L"job.ps", kNewJob);
    assembly_.input = work_ / L"job.pdf";
    ASSERT_EQ(Host(L"gs -q -sDEVICE=pdfwrite -o \"$1\" \"$2\"", {assembly_.input, postscript}), "");
    assembly_.output = work_ / L"result.pdf";
  }

  std::wstring File(const std::wstring& name, const std::string& bytes) {
    WriteFileBytes(work_ / name, bytes);
    return work_ / name;
  }

  // A one-page PDF that the host's qpdf encrypted with `options`.
  std::wstring EncryptedPdf(const std::wstring& options,
                            const std::wstring& name = L"encrypted.pdf") {
    const std::wstring plain = File(L"plain.pdf", TextPdf("Existing page"));
    const std::wstring encrypted = work_ / name;
    EXPECT_EQ(Host(L"qpdf " + options + L" -- \"$1\" \"$2\"", {plain, encrypted}), "");
    return encrypted;
  }

  // Each check's command on the result prints its expected text.
  void ExpectChecks(const std::vector<HostCheck>& checks) {
    for (const HostCheck& check : checks) {
      const std::string output = Host(check.command, {assembly_.output, work_ / L"password.txt"});
      for (const char* expected : check.expected) {
        EXPECT_NE(output.find(expected), std::string::npos)
            << std::string(check.command, check.command + wcslen(check.command)) << "\n"
            << output;
      }
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
      {{L"pdfinfo \"$1\" | sed -n 's/^\\(Pages\\|Title\\): */\\1=/p'", {"Pages=3", "Title=Ledger"}},
       {L"pdftotext -f 1 -l 1 \"$1\" -", {"Existing page"}},
       {L"pdftotext -f 3 -l 3 \"$1\" -", {"Second new page"}},
       {L"qpdf --json --json-key=acroform --json-key=outlines \"$1\"",
        {"\"fullname\": \"customer\"", "\"title\": \"Chapter one\""}},
       {L"qpdf --qdf --object-streams=disable \"$1\" -", {"/URI (https://example.com/terms)"}},
       {L"qpdf --check \"$1\"", {"No syntax or stream encoding errors"}}});
}

TEST_F(PdfAssemblyTest, AppendToAnEncryptedFileKeepsItsEncryption) {
  const struct {
    const wchar_t* encryption;  // host qpdf's options
    std::vector<std::wstring> passwords;
    const char* revision;
  } cases[] = {{L"--encrypt user-1 owner-1 256", {L"owner-1", L"user-1"}, "R = 6"},
               {L"--encrypt user-1 owner-1 256", {L"wrong-owner", L"user-1"}, "R = 6"},
               {L"--encrypt user-1 owner-1 256 --assemble=n", {L"owner-1"}, "R = 6"},
               {L"--encrypt user-1 owner-1 128 --use-aes=y", {L"owner-1"}, "R = 4"},
               {L"--allow-weak-crypto --encrypt user-1 owner-1 128", {L"", L"user-1"}, "R = 3"}};
  for (const auto& row : cases) {
    assembly_.existing = EncryptedPdf(row.encryption);
    assembly_.existingPasswords = row.passwords;
    AssemblePdf(assembly_);
    ExpectChecks(
        {{L"qpdf --show-encryption --password=user-1 \"$1\"",
          {row.revision, "password is user password"}},
         {L"qpdf --show-encryption --password=owner-1 \"$1\"", {"password is owner password"}},
         {L"qpdf --show-npages --password=user-1 \"$1\"", {"3"}},
         {L"qpdf --decrypt --password=user-1 \"$1\" --pages . 3 -- - | pdftotext - -",
          {"Second new page"}}});
  }
}

// The job's own password and permissions replace the existing file's
// encryption when its owner password opened it, old RC4 too.
TEST_F(PdfAssemblyTest, AppendOpenedByTheOwnerPasswordTakesTheJobsEncryption) {
  for (const wchar_t* encryption :
       {L"--encrypt user-1 owner-1 256", L"--allow-weak-crypto --encrypt '' owner-1 40"}) {
    assembly_.existing = EncryptedPdf(encryption);
    assembly_.existingPasswords = {L"owner-1"};
    assembly_.encryption = PdfEncryption{L"user-9", L"owner-9", ParsePermissions(L"print")};
    AssemblePdf(assembly_);
    ExpectChecks(
        {{L"qpdf --show-encryption --password=user-9 \"$1\"",
          {"R = 6", "password is user password", "modify anything: not allowed",
           "print high resolution: allowed"}},
         {L"qpdf --show-encryption --password=owner-9 \"$1\"", {"password is owner password"}},
         {L"qpdf --show-encryption --password=user-1 \"$1\"", {"Incorrect password"}},
         {L"qpdf --show-npages --password=user-9 \"$1\"", {"3"}}});
  }
}

// Handed files are read and written, not the names that label them.
TEST_F(PdfAssemblyTest, HandedFilesAreReadAndWrittenRatherThanTheirNames) {
  const std::wstring existing = File(L"existing.pdf", TextPdf("Existing page"));
  const std::wstring written = work_ / L"written.pdf";
  std::FILE* from = _wfopen(existing.c_str(), L"rb");
  std::FILE* to = _wfopen(written.c_str(), L"wb");
  ASSERT_TRUE(from && to);
  // The names now hold something else: the assembly must not open them.
  assembly_.existing = File(L"swapped.pdf", "no PDF");
  assembly_.existingFile = from;
  assembly_.outputFile = to;
  AssemblePdf(assembly_);
  std::fclose(from);
  std::fclose(to);
  EXPECT_FALSE(PathExists(assembly_.output));
  assembly_.output = written;
  ExpectChecks({{L"pdftotext -f 1 -l 1 \"$1\" -", {"Existing page"}},
                {L"qpdf --show-npages \"$1\"", {"3"}}});
}

TEST_F(PdfAssemblyTest, EncryptionOpensWithEachPasswordAndAllowsWhatWasChosen) {
  // qpdf --requires-password exits with 0 when a password is needed, 3 when not.
  const wchar_t kRequires[] = L"qpdf --requires-password \"$1\"; echo \"exit $?\"";
  const struct {
    PdfEncryption encryption;
    std::vector<HostCheck> checks;
  } cases[] = {
      {{L"user-\x00E9", L"owner-2", ParsePermissions(L"all")},
       {{kRequires, {"exit 0"}},
        {L"qpdf --show-encryption --password-file=\"$2\" \"$1\"", {"password is user password"}},
        {L"qpdf --show-encryption --password=owner-2 \"$1\"",
         {"password is owner password", "modify anything: allowed"}},
        {L"qpdf --show-encryption --password=wrong \"$1\"", {"Incorrect password"}}}},
      {{L"user-3", L"", ParsePermissions(L"none")},
       {{kRequires, {"exit 0"}},
        {L"qpdf --show-encryption --password=user-3 \"$1\"",
         {"R = 6", "print high resolution: not allowed", "extract for any purpose: not allowed",
          "modify forms: not allowed"}}}},
      {{L"", L"owner-4", ParsePermissions(L"print,Copy")},
       {{kRequires, {"exit 3"}},
        {L"qpdf --show-encryption \"$1\"",
         {"print high resolution: allowed", "extract for any purpose: allowed",
          "modify document assembly: not allowed", "modify annotations: not allowed"}},
        {L"pdftotext \"$1\" -", {"First new page"}}}}};
  // The first row's user password, in UTF-8 as AES-256 keeps it.
  File(L"password.txt", "user-\xC3\xA9\n");
  for (const auto& row : cases) {
    assembly_.encryption = row.encryption;
    AssemblePdf(assembly_);
    ExpectChecks(row.checks);
  }
}

TEST_F(PdfAssemblyTest, BackgroundLiesUnderAndStampOverEveryPageOfUnchangedSize) {
  assembly_.background = File(L"letterhead.pdf", TextPdf("LETTERHEAD"));
  assembly_.stamp = File(L"stamp.pdf", TextPdf("STAMPED"));
  AssemblePdf(assembly_);
  // pdftotext -raw keeps the order in which the page draws its text.
  ExpectChecks({{L"pdftotext -raw -f 1 -l 1 \"$1\" -", {"LETTERHEAD\nFirst new page\nSTAMPED"}},
                {L"pdftotext -raw -f 2 -l 2 \"$1\" -", {"LETTERHEAD\nSecond new page\nSTAMPED"}},
                {L"pdfinfo -f 1 -l 2 \"$1\" | sed -n 's/^Page\\(s\\| *[0-9] size\\): */\\1=/p'",
                 {"s=2", "1 size=288 x 144 pts", "2 size=400 x 300 pts"}}});
}

TEST_F(PdfAssemblyTest, AttachmentsAreAssociatedFilesWithTypeSizeAndDate) {
  const std::wstring invoice =
      File(L"invoice.xml", "<Invoice>" + std::string(1000, 'x') + "</Invoice>");
  using namespace std::chrono;
  std::filesystem::last_write_time(invoice,
                                   file_clock::from_sys(sys_days{2024y / 5 / 6} + 7h + 8min + 9s));
  assembly_.attachments = {invoice, File(L"notes.bin", "abc"),
                           File(L"Gr\x00F6\x00DF"
                                L"e-\x00F8-\x03A9.txt",
                                "non-ASCII name")};
  assembly_.associatedFiles = true;
  AssemblePdf(assembly_);
  ExpectChecks(
      {{L"qpdf --list-attachments --verbose \"$1\"",
        {"invoice.xml ->", "notes.bin ->", "mime type: text/xml",
         "modification date: D:20240506070809Z", "mime type: application/octet-stream"}},
       {L"qpdf --qdf --object-streams=disable \"$1\" - | grep -a -c '/AFRelationship /Data'",
        {"3"}},
       {L"qpdf --qdf --object-streams=disable \"$1\" - | "
        L"grep -a -A1 -e '/AF \\[' -e '/Size 1019$' -e '/UF (invoice.xml)'",
        {"/AF [", " 0 R", "/Size 1019", "/UF (invoice.xml)"}},
       // /F holds the name in PDFDocEncoding, "_" for what it lacks; /UF all of it.
       {L"qpdf --json --json-key=qpdf \"$1\" | grep -a -e '\"/U\\?F\": \"[ub]:\\(Gr\\|4772\\)'",
        {"\"/F\": \"b:4772f6df652df82d5f2e747874\"",
         "\"/UF\": \"u:Gr\xC3\xB6\xC3\x9F"
         "e-\xC3\xB8-\xCE\xA9.txt\""}}});
}

// Messages name the setting and the file, never a password.
TEST_F(PdfAssemblyTest, BadInputFailsNamingTheSettingAndLeavesNoOutput) {
  const std::wstring text = File(L"letter.txt", "not a PDF");
  const std::wstring missing = work_ / L"missing.pdf";
  const std::wstring existing = File(L"existing.pdf", TextPdf("Existing page"));
  std::string broken = TextPdf("Broken");
  broken.replace(broken.find("4 0 obj"), 7, "9 9 obj");
  const std::wstring cut = File(L"cut.pdf", TextPdf("Cut").substr(0, 300));
  const std::wstring noFolder = work_ / L"no folder\\result.pdf";
  const std::wstring encrypted = EncryptedPdf(L"--encrypt user-1 owner-1 256");
  const std::wstring bigLayer = WriteSparseFile(work_ / L"big stamp.pdf", (32 << 20) + 1);
  const std::wstring bigAttachment = WriteSparseFile(work_ / L"big.bin", (128 << 20) + 1);
  const std::wstring halfOfAll = WriteSparseFile(work_ / L"half 1.bin", 128 << 20);
  const std::wstring halfOfAll2 = WriteSparseFile(work_ / L"half 2.bin", 128 << 20);
  const std::wstring ownerOnly = EncryptedPdf(L"--encrypt '' owner-1 256", L"owner only.pdf");
  const std::wstring noAssembly =
      EncryptedPdf(L"--encrypt user-1 owner-1 256 --assemble=n", L"no assembly.pdf");
  const struct {
    std::function<void(PdfAssembly&)> change;
    const wchar_t* setting;
    std::wstring value;
  } cases[] = {{[&](PdfAssembly& a) { a.background = text; }, L"background", text},
               {[&](PdfAssembly& a) { a.stamp = missing; }, L"stamp", missing},
               {[&](PdfAssembly& a) { a.attachments = {work_.Path()}; }, L"attach", work_.Path()},
               {[&](PdfAssembly& a) { a.attachments = {missing}; }, L"attach", missing},
               {[&](PdfAssembly& a) { a.existing = cut; }, L"", cut},
               {[&](PdfAssembly& a) { a.existing = encrypted; }, L"", encrypted},
               {[&](PdfAssembly& a) {
                  a.existing = encrypted;
                  a.existingPasswords = {L"Secret-Owner", L"Secret-User"};
                },
                L"", encrypted},
               {[&](PdfAssembly& a) {
                  a.existing = noAssembly;
                  a.existingPasswords = {L"Secret-Owner", L"user-1"};
                },
                L"", noAssembly},
               // Found while the result is being written.
               {[&](PdfAssembly& a) { a.existing = File(L"broken.pdf", broken); }, L"",
                work_ / L"broken.pdf"},
               {[&](PdfAssembly& a) { a.output = a.existing = existing; }, L"", existing},
               {[&](PdfAssembly& a) { a.output = noFolder; }, L"", noFolder},
               // Too large to hold: caught before anything is read.
               {[&](PdfAssembly& a) { a.stamp = bigLayer; }, L"stamp", bigLayer},
               {[&](PdfAssembly& a) { a.attachments = {bigAttachment}; }, L"attach", bigAttachment},
               {[&](PdfAssembly& a) {
                  a.attachments = {halfOfAll, halfOfAll2, text};
                },
                L"attach", text},
               // The job's encryption would be weaker than asked for, or lost.
               {[&](PdfAssembly& a) {
                  a.existing = ownerOnly;
                  a.encryption = PdfEncryption{L"user-9", L"", {}};
                },
                L"", ownerOnly},
               {[&](PdfAssembly& a) {
                  a.existing = encrypted;
                  a.existingPasswords = {L"wrong-owner", L"user-1"};
                  a.encryption = PdfEncryption{L"", L"", ParsePermissions(L"none")};
                },
                L"", encrypted}};
  for (const auto& row : cases) {
    const PdfAssembly original = assembly_;
    row.change(assembly_);
    const PdfFailure failure = Failure();
    EXPECT_EQ(failure.setting, row.setting) << failure.Text();
    EXPECT_EQ(failure.value, row.value) << failure.Text();
    EXPECT_EQ(failure.Text().find(L"Secret-"), std::wstring::npos);
    assembly_ = original;
  }
  EXPECT_EQ(ReadFileBytes(existing), TextPdf("Existing page"));
}

TEST(PdfPermissions, SettingValuesAndUnknownWords) {
  const PdfPermissions none{false, false, false, false, false, false};
  const PdfPermissions printAndForms{true, false, false, false, true, false};
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
