// Conversions take turns (converter/conversion_turns.h): gui.exe processes on
// prepared spool files, all at once, with fake_ghostscript.exe counting the
// runs that go on at once and noting the order of the jobs.
#include <windows.h>
#include <psapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "conversion_turns.h"
#include "fake_conversion_bed.h"

namespace {

class ConversionTurns : public FakeConversionBed {};

TEST_F(ConversionTurns, ManyConvertersAtOnceRunNoMoreGhostscriptsThanTheLimit) {
  Limit(3);  // more than the processors of the test machine
  std::vector<UniqueHandle> converters;
  for (int job = 0; job < 12; ++job) converters.push_back(Start(job, 500));
  EXPECT_TRUE(AllSucceed(converters));
  EXPECT_EQ(Runs().started, 12);
  EXPECT_EQ(Runs().peak, 3);
  EXPECT_EQ(ListFiles(work_.Path(), L"Burst*.pdf").size(), 12u);
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(ConversionTurns, WaitingConvertersTakeTheirTurnsInArrivalOrderWithoutGhostscript) {
  Limit(1);
  std::vector<UniqueHandle> converters;
  {
    const ConversionTurn held;  // the one slot, while the converters come one by one
    ASSERT_TRUE(held.Held()) << held.Problem().size();
    for (int job = 0; job < 6; ++job) {
      converters.push_back(Start(job, 0, true));
      ASSERT_FALSE(HasFailure());
    }
    EXPECT_EQ(Runs().started, 0);
    for (const UniqueHandle& converter : converters) {
      PROCESS_MEMORY_COUNTERS memory{};
      memory.cb = sizeof memory;
      ASSERT_TRUE(GetProcessMemoryInfo(converter.get(), &memory, sizeof memory));
      std::printf("a waiting converter: %zu KiB private\n", memory.PagefileUsage / 1024);
      EXPECT_LT(memory.PagefileUsage, 16u << 20);
    }
  }
  EXPECT_TRUE(AllSucceed(converters));
  EXPECT_EQ(JobOrder(), (std::vector<LONG>{0, 1, 2, 3, 4, 5}));
}

TEST_F(ConversionTurns, AConverterThatDiesGivesItsTurnBack) {
  Limit(1);
  // Killed while its Ghostscript runs, holding the slot that the next waits for.
  std::vector<UniqueHandle> converters;
  converters.push_back(Start(0, 60000));
  ASSERT_TRUE(WaitUntil([&] { return Runs().started == 1; }, 30000));
  converters.push_back(Start(1, 0, true));
  TerminateProcess(converters[0].get(), 9);
  const UniqueHandle firstGhostscript(
      OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, Runs().processes[0]));
  TerminateProcess(firstGhostscript.get(), 9);
  WaitForSingleObject(firstGhostscript.get(), 10000);
  InterlockedDecrement(
      &static_cast<FakeGhostscriptRuns*>(view_.get())->running);  // not counted out
  EXPECT_EQ(WaitForSingleObject(converters[1].get(), 30000), WAIT_OBJECT_0);
  // Killed while it waits in the queue: the one after it moves up.
  {
    const ConversionTurn held;
    converters.push_back(Start(2, 0, true));
    converters.push_back(Start(3, 0, true));
    TerminateProcess(converters[2].get(), 9);
  }
  converters.erase(converters.begin(), converters.begin() + 3);
  EXPECT_TRUE(AllSucceed(converters));
  EXPECT_EQ(JobOrder(), (std::vector<LONG>{0, 1, 3}));
  EXPECT_EQ(Runs().peak, 1);
  const std::string log = GuiLog();
  EXPECT_NE(log.find("Output"), std::string::npos) << log;
  EXPECT_EQ(log.find("Turn"), std::string::npos) << log;  // each had its turn
}

// Another user makes the names of this user's turn objects first and holds
// them (as ANONYMOUS LOGON here, Wine taking any owner given at creation):
// no converter waits on them. Without the slots it converts without a turn;
// without the queue it still takes a slot, out of order; gui.log says which.
TEST_F(ConversionTurns, AnotherUsersObjectsUnderTheTurnNamesHoldNoConverterUp) {
  Limit(1);
  PSECURITY_DESCRIPTOR foreign = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
      L"O:AND:(A;;GA;;;WD)", SDDL_REVISION_1, &foreign, nullptr));
  const UniqueLocalMemory foreignMemory(foreign);
  SECURITY_ATTRIBUTES asStranger{sizeof asStranger, foreign, FALSE};
  const struct {
    const char* what;
    bool slot;  // else the queue, whose last converter is a held waiter
    const char* logged;
  } cases[] = {
      {"the slot", true, "another user made its object; converted without a turn"},
      {"the queue", false, "another user made its object; its turn came out of order"},
  };
  int job = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<UniqueHandle> squatted;
    if (c.slot) {
      squatted.emplace_back(
          CreateMutexW(&asStranger, TRUE, ConversionObjectName(L"slot", 0).c_str()));
    } else {
      squatted.emplace_back(CreateFileMappingW(INVALID_HANDLE_VALUE, &asStranger, PAGE_READWRITE, 0,
                                               64, ConversionObjectName(L"queue").c_str()));
      const UniqueMappedView record(MapViewOfFile(squatted.back().get(), FILE_MAP_WRITE, 0, 0, 16));
      ASSERT_TRUE(record);
      static_cast<volatile LONG64*>(record.get())[1] = 7;  // the tail
      squatted.emplace_back(
          CreateMutexW(&asStranger, TRUE, ConversionObjectName(L"waiter", 7).c_str()));
    }
    ASSERT_TRUE(squatted.back());
    DeleteFileW((work_ / OwnLogName(L"gui")).c_str());
    const ULONGLONG start = GetTickCount64();
    std::vector<UniqueHandle> converter;
    converter.push_back(Start(job++, 0));
    EXPECT_TRUE(AllSucceed(converter));
    EXPECT_LT(GetTickCount64() - start, 20000u);
    const std::string log = GuiLog();
    EXPECT_NE(log.find(c.logged), std::string::npos) << log;
  }
  EXPECT_EQ(Runs().started, 2);
}

// Every wait has its limit: behind a held slot, and behind a converter that
// waits in the queue for it, a turn ends at its limit, without a slot.
TEST_F(ConversionTurns, ATurnThatDoesNotComeInItsTimeLimitIsGoneWithoutASlot) {
  Limit(1);
  constexpr unsigned long kLimitMs = 500;
  for (const bool behindAWaiter : {false, true}) {
    SCOPED_TRACE(behindAWaiter ? "behind a waiter" : "behind the slot");
    std::optional<ConversionTurn> held;
    held.emplace();
    ASSERT_TRUE(held->Held());
    std::thread waiter;
    if (behindAWaiter) {
      const unsigned long long before = LastConverterQueued();
      waiter = std::thread([] { const ConversionTurn patient(60000); });
      ASSERT_TRUE(WaitUntil([&] { return LastConverterQueued() > before; }, 10000));
    }
    bool late = true;
    std::wstring problem;
    ULONGLONG waited = 0;
    std::thread([&] {
      const ULONGLONG start = GetTickCount64();
      const ConversionTurn limited(kLimitMs);
      waited = GetTickCount64() - start;
      late = limited.Held();
      problem = limited.Problem();
    }).join();
    EXPECT_FALSE(late);
    EXPECT_NE(problem.find(L"came free in time"), std::wstring::npos);
    EXPECT_GE(waited, kLimitMs - 50);
    EXPECT_LT(waited, kLimitMs + 3000);
    held.reset();
    if (waiter.joinable()) waiter.join();
  }
}

}  // namespace
