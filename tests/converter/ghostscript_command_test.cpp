// The Ghostscript command line survives the split into arguments.
#include "ghostscript_command.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

TEST(GhostscriptCommand, TitleIsHexUtf16WithByteOrderMark) {
  EXPECT_EQ(PdfTextString(L""), L"<FEFF>");
  EXPECT_EQ(PdfTextString(L"A\x00E9\x65E5"), L"<FEFF004100E965E5>");
  EXPECT_EQ(PdfTextString(L"\xD83D\xDE00()\\"), L"<FEFFD83DDE0000280029005C>");
}

TEST(GhostscriptCommand, ArgumentsSurviveTheCommandLineSplit) {
  const std::vector<std::wstring> arguments = {L"plain",
                                               L"",
                                               L"a b",
                                               L"say \"x\"",
                                               L"C:\\dir with space\\",
                                               L"a\\\"b c",
                                               L"\\\\server\\share",
                                               L"tab\there",
                                               L"-sOutputFile=C:\\a b.pdf"};
  const std::wstring line = BuildCommandLine(L"C:\\Program Files\\gs\\gswin64c.exe", arguments);
  int count = 0;
  LPWSTR* split = CommandLineToArgvW(line.c_str(), &count);
  ASSERT_NE(split, nullptr);
  ASSERT_EQ(count, static_cast<int>(arguments.size()) + 1);
  EXPECT_STREQ(split[0], L"C:\\Program Files\\gs\\gswin64c.exe");
  for (std::size_t i = 0; i < arguments.size(); ++i) EXPECT_EQ(split[i + 1], arguments[i]);
  LocalFree(split);
}
