// Conversions take turns (converter/conversion_turns.h): gui.exe processes on
// prepared spool files, all at once, with fake_ghostscript.exe counting the
// runs that go on at once and noting the order of the jobs.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include "conversion_turns.h"
#include "converter_command_line.h"
#include "fake_ghostscript.h"
#include "message_box_watcher.h"
#include "printer_settings.h"
#include "registry_override.h"
#include "scratch_folder.h"

namespace {

class ConversionTurns : public testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableW(L"APPDATA", data_.Path().c_str());
    appFolder_.Set(app_.Path());
    logFolder_.Set(work_.Path());
    ghostscript_.Set(WindowsPathOf(FAKE_GHOSTSCRIPT));
    PrinterSettings settings;  // every job of the burst: "Burst.pdf", numbered
    settings.SetValue(L"outputfolder", work_.Path());
    settings.SetValue(L"existing", L"number");
    settings.WriteSettings(false);
    runs_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                   sizeof(FakeGhostscriptRuns), kFakeGhostscriptRuns));
    view_.reset(MapViewOfFile(runs_.get(), FILE_MAP_WRITE, 0, 0, sizeof(FakeGhostscriptRuns)));
    ASSERT_TRUE(view_);
  }

  void Limit(DWORD conversions) {
    maxConversions_.SetRaw(REG_DWORD, &conversions, sizeof conversions);
  }
  const FakeGhostscriptRuns& Runs() const {
    return *static_cast<const FakeGhostscriptRuns*>(view_.get());
  }

  // Starts gui.exe on job `job`, whose Ghostscript run lasts `ms`; with
  // `queued`, returns once it waits in the queue.
  UniqueHandle Start(int job, int ms, bool queued = false) {
    const unsigned long long before = LastConverterQueued();
    SetEnvironmentVariableW(L"FAKE_GS_MS", std::to_wstring(ms).c_str());
    const std::wstring spool = work_ / (L"job" + std::to_wstring(job) + L"_printer.ps");
    WriteFileBytes(spool, std::to_string(job));
    const std::wstring gui = WindowsPathOf(GUI_EXE);
    std::wstring commandLine = ConverterCommandLine(
        gui.substr(0, gui.rfind(L'\\')),
        JobParameters(spool, L"{" + std::to_wstring(job) + L"}", L"Burst", L"Quillmar Printer"));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    EXPECT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    CloseHandle(process.hThread);
    boxes_.WatchProcess(process.dwProcessId);
    if (queued) {
      EXPECT_TRUE(WaitUntil([&] { return LastConverterQueued() > before; }, 30000));
    }
    return UniqueHandle(process.hProcess);
  }

  // Whether every converter ended with exit code 0 in time.
  static bool AllSucceed(const std::vector<UniqueHandle>& converters) {
    bool succeeded = true;
    for (const UniqueHandle& converter : converters) {
      DWORD exitCode = 1;
      succeeded = WaitForSingleObject(converter.get(), 60000) == WAIT_OBJECT_0 &&
                  GetExitCodeProcess(converter.get(), &exitCode) && exitCode == 0 && succeeded;
    }
    return succeeded;
  }

  std::vector<LONG> JobOrder() const { return {Runs().jobs, Runs().jobs + Runs().started}; }

  ScratchFolder work_, app_, data_;
  MonitorSettingOverride appFolder_{L"AppFolder"}, logFolder_{L"LogFolder"},
      ghostscript_{L"Ghostscript"}, maxConversions_{L"MaxConversions"};
  MessageBoxWatcher boxes_;
  UniqueHandle runs_;
  UniqueMappedView view_;
};

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
  const std::string log = ReadFileBytes(work_ / L"gui.log");
  EXPECT_EQ(log.find("Turn"), std::string::npos) << log;  // each had its turn
}

}  // namespace
