// The logs' rules: one line per entry, one file per user in a shared folder.
#include "log_rules.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kSid[] = L"S-1-5-21-1-2-3-1001";

TEST(LogRules, EveryControlCharacterBecomesAQuestionMark) {
  EXPECT_EQ(OneLineText(L"Report\r\nINJECTED\t\x007F\x0080\x0085\x009B\x009F|\x00A0\u00E9\u2028"),
            L"Report??INJECTED??????|\x00A0\u00E9\u2028");
}

TEST(LogRules, InASharedFolderEachUserHasAFileOfTheirOwn) {
  const struct {
    const wchar_t* logFolder;
    const wchar_t* ownFolder;
    const wchar_t* sid;
    const wchar_t* path;
  } cases[] = {
      {L"C:\\Logs", L"C:\\w", kSid, L"C:\\Logs\\port-S-1-5-21-1-2-3-1001.log"},
      {L"C:\\Logs\\\\", L"", kSid, L"C:\\Logs\\port-S-1-5-21-1-2-3-1001.log"},
      {L"", L"C:\\w\\", kSid, L"C:\\w\\port.log"},
      {L"", L"", kSid, L""},
      {L"C:\\Logs", L"C:\\w", L"", L""},
      {L"C:\\Logs", L"", L"S-1-5-21)(A;;FA;;;WD", L""},  // no SID
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UserLogPath(c.logFolder, c.ownFolder, L"port", c.sid), c.path) << c.logFolder;
  }
}

TEST(LogRules, NewFilesGrantOnlyTheUserSystemAndAdministrators) {
  EXPECT_EQ(UserLogFileSddl(kSid), L"D:P(A;;FA;;;S-1-5-21-1-2-3-1001)(A;;FA;;;SY)(A;;FA;;;BA)");
  EXPECT_EQ(UserLogFileSddl(L"S-1-5-21)(A;;FA;;;WD"), L"");
  EXPECT_EQ(UserLogFileSddl(L"S-"), L"");
}

TEST(LogRules, OnlyFilesOfTheUserSystemOrAdministratorsAreWritten) {
  const struct {
    const wchar_t* owner;
    bool trusted;
  } cases[] = {
      {kSid, true},
      {L"S-1-5-18", true},
      {L"S-1-5-32-544", true},
      {L"S-1-5-21-1-2-3-1002", false},
      {L"S-1-5-32-545", false},
      {L"S-1-5-21-1-2-3-10011", false},
      {L"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsTrustedLogOwner(c.owner, kSid), c.trusted) << c.owner;
  EXPECT_FALSE(IsTrustedLogOwner(L"", L""));
}

}  // namespace
