// The monitor's rules that need no operating-system call.
#include <gtest/gtest.h>

#include <vector>

#include "environment_lookup.h"
#include "launch_retry.h"
#include "log_entry.h"
#include "service_rules.h"
#include "session_id.h"
#include "text_rules.h"
#include "wait_schedule.h"

using namespace std::string_literals;

TEST(PortNames, FoldOnlyAsciiLetters) {
  EXPECT_TRUE(PortNamesEqual(L"QPDF:", L"qpdf:"));
  EXPECT_TRUE(PortNamesEqual(L"Port-Z", L"pORT-z"));
  EXPECT_FALSE(PortNamesEqual(L"\u00C4RGER", L"\u00E4rger"));  // only A-Z are folded
  EXPECT_FALSE(PortNamesEqual(L"PORT", L"PORT1"));
  EXPECT_FALSE(PortNamesEqual(L"[", L"{"));  // '[' is not an upper-case letter
}

TEST(EnvironmentLookup, ComparesWholeNamesCaseSensitively) {
  const std::wstring block = L"TEMPDIR=wrong\0TEMP=C:\\t\0temp=lower\0\0"s;
  EXPECT_EQ(FindEnvironmentValue(block.c_str(), block.size(), L"TEMP"), L"C:\\t");
  EXPECT_EQ(FindEnvironmentValue(block.c_str(), block.size(), L"temp"), L"lower");
  EXPECT_EQ(FindEnvironmentValue(block.c_str(), block.size(), L"TEM"), std::nullopt);
  EXPECT_EQ(FindEnvironmentValue(block.c_str(), block.size(), L"TMP"), std::nullopt);
}

TEST(EnvironmentLookup, LaterEntryWinsAndValueKeepsFurtherEquals) {
  const std::wstring block = L"=C:=C:\\\0A=1\0A=x=y\0\0"s;
  EXPECT_EQ(FindEnvironmentValue(block.c_str(), block.size(), L"A"), L"x=y");
  EXPECT_EQ(FindEnvironmentValue(block.c_str(), block.size(), L""), L"C:=C:\\");
}

TEST(EnvironmentLookup, StopsAtTheReadLimit) {
  const std::wstring block = L"A=1\0B=2\0\0"s;
  EXPECT_EQ(FindEnvironmentValue(block.c_str(), 4, L"B"), std::nullopt);
  EXPECT_EQ(FindEnvironmentValue(block.c_str(), 4, L"A"), L"1");
  EXPECT_EQ(FindEnvironmentValue(nullptr, 100, L"A"), std::nullopt);
}

TEST(LogEntry, CharactersBeyondOneByteBecomeQuestionMarks) {
  EXPECT_EQ(NarrowForLog(L"a\u00E9\u20ACb\n"), "a\xE9?b\n");
}

TEST(LogEntry, ControlCharactersInItsTextsKeepTheEntryOnOneLine) {
  EXPECT_EQ(FormatLogEntry(L"S\n", L"Doc\r\nName\t",
                           L"a\x7F"
                           L"b\x1F"),
            L"[S?] Doc??Name?: a?b?\r\n");
  EXPECT_EQ(FormatLogEntry(nullptr, L"C1\x0080\x0085\x009F", nullptr), L"C1???\r\n");
  EXPECT_EQ(FormatLogEntry(nullptr, L"\u00A0x", nullptr), L"\u00A0x\r\n");  // not a control
}

TEST(SessionId, IsLowerCaseHexGrouped8_4_4_4_12) {
  const uint8_t tail[8] = {0xAB, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xFF};
  EXPECT_EQ(FormatSessionId(0x0012ABCD, 0x00EF, 0xA, tail),
            L"0012abcd-00ef-000a-ab01-0203040506ff");
}

TEST(WaitSchedule, PassesLastAtMostOneHundredMilliseconds) {
  constexpr int64_t ms = kUnitsPerMillisecond;
  EXPECT_EQ(NextPassMilliseconds(0, 10000, 0), 100u);
  EXPECT_EQ(NextPassMilliseconds(0, 10000, 10050 * ms), 50u);
  EXPECT_EQ(NextPassMilliseconds(0, 10000, 10100 * ms), std::nullopt);
  EXPECT_EQ(NextPassMilliseconds(0, 0, 0), 100u);
  EXPECT_EQ(NextPassMilliseconds(0, 0, 100 * ms), std::nullopt);
}

TEST(WaitSchedule, LargeTimeOutsDoNotOverflowAndClockGoingBackEnds) {
  constexpr int64_t ms = kUnitsPerMillisecond;
  EXPECT_EQ(NextPassMilliseconds(0, 0xFFFFFFFFu, 0xFFFFFFF0ll * ms), 100u);
  EXPECT_EQ(NextPassMilliseconds(0, 0xFFFFFFFFu, (0xFFFFFFFFll + 99) * ms), 1u);
  EXPECT_EQ(NextPassMilliseconds(0, 0xFFFFFFFFu, (0xFFFFFFFFll + 100) * ms), std::nullopt);
  EXPECT_EQ(NextPassMilliseconds(1000 * ms, 5000, 0), std::nullopt);
}

// Binary SIDs: revision, count of sub-authorities, 6-byte authority, then the
// sub-authorities in little-endian order.
TEST(ServiceRules, OnlyTheThreeServiceAccountsAreServiceAccounts) {
  using Sid = std::vector<unsigned char>;
  const struct {
    Sid sid;
    bool service;
  } cases[] = {
      {{1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0}, true},                // LocalSystem
      {{1, 1, 0, 0, 0, 0, 0, 5, 19, 0, 0, 0}, true},                // LocalService
      {{1, 1, 0, 0, 0, 0, 0, 5, 20, 0, 0, 0}, true},                // NetworkService
      {{1, 1, 0, 0, 0, 0, 0, 5, 17, 0, 0, 0}, false},               // IUSR
      {{1, 1, 0, 0, 0, 0, 0, 5, 21, 0, 0, 0}, false},               // S-1-5-21
      {{1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 1}, false},               // S-1-5-16777234
      {{1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 32, 2, 0, 0}, false},  // Administrators
      {{1, 2, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0, 1, 0, 0, 0}, false},   // S-1-5-18-1
      {{1, 1, 0, 0, 0, 0, 0, 16, 18, 0, 0, 0}, false},              // other authority
      {{1, 1, 0, 0, 0, 0, 1, 5, 18, 0, 0, 0}, false},               // high authority byte
      {{2, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0}, false},               // unknown revision
      {{1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0}, false},                  // cut short
      {{}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsServiceAccountSid(c.sid.data(), c.sid.size()), c.service)
        << testing::PrintToString(c.sid);
  }
  EXPECT_FALSE(IsServiceAccountSid(nullptr, 12));
}

// A box only where a user can answer it: no service, not session 0, a visible
// window station (WSF_VISIBLE, 0x1).
TEST(ServiceRules, MessageBoxesOnlyOutsideServicesAndSessionZeroOnAVisibleStation) {
  constexpr MessagePath kBox = MessagePath::kMessageBox, kSession = MessagePath::kSessionMessage;
  const struct {
    unsigned long session;
    bool service;
    unsigned long flags;
    MessagePath path;
  } cases[] = {
      // clang-format off
      {1, false, 0x1, kBox}, {2, false, 0xFFFFFFFF, kBox}, {1, false, 0, kSession},
      {1, false, 0xFFFFFFFE, kSession}, {0, false, 0x1, kSession}, {1, true, 0x1, kSession},
  };  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseMessagePath(c.session, c.service, c.flags), c.path)
        << c.session << " " << c.service << " " << c.flags;
  }
}

// A user's session starts the converter on the interactive desktop; session 0
// (services, print-server jobs) names none.
TEST(ServiceRules, ConverterDesktopOnlyOutsideSessionZero) {
  const struct {
    unsigned long session;
    const wchar_t* desktop;
  } cases[] = {{0, nullptr},
               {1, L"winsta0\\default"},
               {2, L"winsta0\\default"},
               {0xFFFFFFFF, L"winsta0\\default"}};
  for (const auto& c : cases) {
    const wchar_t* desktop = ConverterDesktop(c.session);
    if (!c.desktop) {
      EXPECT_EQ(desktop, nullptr) << c.session;
    } else {
      ASSERT_NE(desktop, nullptr) << c.session;
      EXPECT_STREQ(desktop, c.desktop) << c.session;
    }
  }
}

// A missing or unusable converter is reported at the first failure; only a
// passing platform failure gets another attempt, and at most three in all.
TEST(LaunchRetry, OnlyPassingFailuresAreTriedAgainAndNotForever) {
  for (const unsigned long lasting : {2ul, 3ul, 5ul, 87ul, 193ul, 216ul, 1314ul}) {
    EXPECT_FALSE(IsWorthAnotherLaunchAttempt(lasting, 1)) << lasting;
  }
  for (const unsigned long passing : {8ul, 14ul, 1359ul, 1450ul}) {
    EXPECT_TRUE(IsWorthAnotherLaunchAttempt(passing, 1)) << passing;
    EXPECT_TRUE(IsWorthAnotherLaunchAttempt(passing, kLaunchAttempts - 1)) << passing;
    EXPECT_FALSE(IsWorthAnotherLaunchAttempt(passing, kLaunchAttempts)) << passing;
  }
}
