// The Ghostscript command line survives the system's split into arguments.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "command_line_quoting.h"

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
