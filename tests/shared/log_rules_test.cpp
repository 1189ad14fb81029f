// The logs' rules: one line per entry, one file per user in a shared folder.
#include "log_rules.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kSid[] = L"S-1-5-21-1-2-3-1001";

TEST(LogRules, EveryControlCharacterBecomesAQuestionMark) {
  EXPECT_EQ(OneLineText(L"A\r\nB\t\x007F\x0080\x0085\x009F|\x00A0\u00E9"),
            L"A??B?????|\x00A0\u00E9");
}

TEST(LogRules, InASharedFolderEachUserHasAFileOfTheirOwnWithOnlyTheirRights) {
  EXPECT_EQ(UserLogPath(L"C:\\Logs\\\\", L"C:\\w", L"port", kSid),
            L"C:\\Logs\\port-S-1-5-21-1-2-3-1001.log");
  EXPECT_EQ(UserLogPath(L"", L"C:\\w\\", L"gui", kSid), L"C:\\w\\gui.log");
  EXPECT_EQ(UserLogPath(L"", L"", L"port", kSid), L"");
  EXPECT_EQ(UserLogPath(L"C:\\Logs", L"", L"port", L"S-1-5)(A;;FA;;;WD"), L"");  // no SID
  EXPECT_EQ(UserLogFileSddl(kSid), L"D:P(A;;FA;;;S-1-5-21-1-2-3-1001)(A;;FA;;;SY)(A;;FA;;;BA)");
  EXPECT_EQ(UserLogFileSddl(L"S-1-5)(A;;FA;;;WD"), L"");
}

TEST(LogRules, OnlyFilesOfTheUserSystemOrAdministratorsAreWritten) {
  const std::pair<const wchar_t*, bool> cases[] = {
      // clang-format off
      {kSid, true}, {L"S-1-5-18", true}, {L"S-1-5-32-544", true},
      {L"S-1-5-21-1-2-3-1002", false}, {L"S-1-5-32-545", false}, {L"", false},
  };  // clang-format on
  for (const auto& [owner, trusted] : cases) {
    EXPECT_EQ(IsTrustedLogOwner(owner, kSid), trusted) << owner;
  }
}

}  // namespace
