// The converter reads back exactly what the monitor writes on its command line.
#include <gtest/gtest.h>

#include "command_line_reader.h"
#include "converter_command_line.h"

namespace {

JobRequest RoundTripJob(const JobRequest& sent, const std::wstring& folder = L"C:\\App\\") {
  const std::wstring line = ConverterCommandLine(
      folder, JobParameters(sent.spoolFile, sent.sessionId, sent.documentName, sent.printerName));
  const auto parameters = ReadConverterParameters(line);
  EXPECT_TRUE(parameters) << std::string(line.begin(), line.end());
  if (!parameters) return {};
  const auto job = AsJobRequest(*parameters);
  EXPECT_TRUE(job);
  return job.value_or(JobRequest{});
}

void ExpectSameJob(const JobRequest& a, const JobRequest& b) {
  EXPECT_EQ(a.spoolFile, b.spoolFile);
  EXPECT_EQ(a.sessionId, b.sessionId);
  EXPECT_EQ(a.documentName, b.documentName);
  EXPECT_EQ(a.printerName, b.printerName);
}

}  // namespace

TEST(ConverterCommandLine, MessageFormDoublesBackslashesAndNamesTheIcon) {
  EXPECT_EQ(MessageParameters(L"C:\\x\\y \"q\"", 16),
            L"msg=\"C:\\\\x\\\\y \"\"q\"\"\", icon=\"error\"");
  EXPECT_EQ(IconWord(48), L"exclamation");
  EXPECT_EQ(IconWord(64), L"information");
  EXPECT_EQ(IconWord(0), L"information");
  EXPECT_EQ(EscapeBackslashes(L"\\\\a\\"), L"\\\\\\\\a\\\\");
}

TEST(ConverterCommandLine, EveryJobValueTheMonitorCanSendComesBackExactly) {
  const JobRequest jobs[] = {
      {L"C:\\Temp\\Quillmar\\{A}_printer.ps", L"{1B4E28BA-2FA1-11D2-883F-0016D3CCA427}",
       L"Report, final, v2", L"Quillmar Printer"},
      {L"C:\\a b\\x.ps", L"id", L"He said \"hi\", then \"\"bye\"\"", L"Printer \"A\""},
      {L"C:\\x\\\\y\\", L"s", L"back\\slash\\\\es\\", L"\\\\server\\printer"},
      {L"C:\\t.ps", L"s", L"\x65E5\x672C\x8A9E \x0410\x0411 \xD83D\xDE00 caf\x00E9", L"\x05E9"},
      {L"C:\\t.ps", L"s", L"", L""},
      {L"C:\\t.ps", L"s", L"ps=\"evil\", printer=\"x\"", L"line\nfeed"},
  };
  for (const JobRequest& job : jobs) ExpectSameJob(RoundTripJob(job), job);
  ExpectSameJob(RoundTripJob(jobs[0], L"C:\\Program Files\\Quillmar"), jobs[0]);
}

TEST(ConverterCommandLine, MessagesComeBackWithSingleBackslashes) {
  for (const std::wstring message :
       {L"Port C:\\Temp\\x could not be \"added\"", L"", L"\\\\server\\share\\", L"a,b=c"}) {
    const auto parameters =
        ReadConverterParameters(ConverterCommandLine(L"C:\\App", MessageParameters(message, 48)));
    ASSERT_TRUE(parameters);
    const auto request = AsMessageRequest(*parameters);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->message, message);
    EXPECT_EQ(request->iconWord, L"exclamation");
    EXPECT_FALSE(AsJobRequest(*parameters));
  }
}

TEST(ConverterCommandLine, MalformedTextIsRefused) {
  EXPECT_FALSE(ReadConverterParameters(L"\"gui.exe\" ps=\"unterminated"));
  EXPECT_FALSE(ReadConverterParameters(L"\"gui.exe\" ps=unquoted"));
  EXPECT_FALSE(ReadConverterParameters(L"\"gui.exe\" novalue"));
  const auto none = ReadConverterParameters(L"\"C:\\App\\gui.exe\" ");
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->empty());
  EXPECT_FALSE(AsJobRequest(*none));
  EXPECT_FALSE(AsMessageRequest(*none));
  const auto partial = ReadConverterParameters(L"gui.exe ps=\"a\", sessionid=\"b\"");
  ASSERT_TRUE(partial);
  EXPECT_FALSE(AsJobRequest(*partial));
}
