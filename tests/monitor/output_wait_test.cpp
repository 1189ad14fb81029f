// WaitForOutput, called as an outside program calls it, and the monitor event.
#include <gtest/gtest.h>

#include <thread>

#include "import_patch.h"
#include "job_bed.h"

namespace {

ULONGLONG ElapsedSince(ULONGLONG start) { return GetTickCount64() - start; }

class OutputWait : public testing::Test {
 protected:
  std::string Target() const {
    const std::wstring wide = scratch_ / L"out.pdf";
    return std::string(wide.begin(), wide.end());
  }
  ScratchFolder scratch_;
  SpoolerStandIn library_{MonitorLibraryPath()};  // loaded, not initialized: no event
  SpoolerStandIn::WaitForOutputFunction wait_ = library_.WaitForOutput();
};

TEST_F(OutputWait, AnExistingFileGivesTrueAtOnceWithoutAnEvent) {
  ASSERT_NE(wait_, nullptr);
  WriteFileBytes(scratch_ / L"out.pdf", "pdf");
  const ULONGLONG start = GetTickCount64();
  EXPECT_TRUE(wait_(Target().c_str(), 10000));
  EXPECT_LT(ElapsedSince(start), 50u);
}

TEST_F(OutputWait, ZeroTimeOutOnAMissingFileGivesFalseAfterOnePass) {
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(wait_(Target().c_str(), 0));
  const ULONGLONG elapsed = ElapsedSince(start);
  EXPECT_GE(elapsed, 80u);
  EXPECT_LT(elapsed, 400u);
}

TEST_F(OutputWait, AFileNeverMadeGivesFalseAfterTheTimeOutAndOnePass) {
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(wait_(Target().c_str(), 500));
  const ULONGLONG elapsed = ElapsedSince(start);
  EXPECT_GE(elapsed, 550u);  // clocks of different granularity
  EXPECT_LT(elapsed, 1000u);
}

TEST_F(OutputWait, AFileMadeDuringTheWaitIsSeenWithinAPass) {
  ULONGLONG created = 0;
  std::thread maker([&] {
    Sleep(300);
    WriteFileBytes(scratch_ / L"out.pdf", "pdf");
    created = GetTickCount64();
  });
  EXPECT_TRUE(wait_(Target().c_str(), 10000));
  const ULONGLONG returned = GetTickCount64();
  maker.join();
  EXPECT_LT(returned - created, 250u);  // one pass is 100 ms
}

TEST_F(OutputWait, AFileHeldWithoutReadSharingDoesNotCountYet) {
  HANDLE writer = CreateFileW((scratch_ / L"out.pdf").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(wait_(Target().c_str(), 0));
  CloseHandle(writer);
  EXPECT_TRUE(wait_(Target().c_str(), 0));
}

TEST_F(OutputWait, NamesThatCannotBeUsedGiveFalse) {
  EXPECT_FALSE(wait_(nullptr, 0));
  const std::string tooLong = "C:\\" + std::string(400, 'a');
  SetLastError(kErrorSentinel);
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(wait_(tooLong.c_str(), 10000));
  EXPECT_LT(ElapsedSince(start), 100u);
  EXPECT_NE(GetLastError(), kErrorSentinel);
}

TEST_F(OutputWait, TimeOutsNearTheLimitStillFindTheFile) {
  std::thread maker([&] {
    Sleep(150);
    WriteFileBytes(scratch_ / L"out.pdf", "pdf");
  });
  EXPECT_TRUE(wait_(Target().c_str(), INFINITE));
  maker.join();
  std::thread maker2([&] {
    Sleep(150);
    WriteFileBytes(scratch_ / L"second.pdf", "pdf");
  });
  const std::wstring second = scratch_ / L"second.pdf";
  EXPECT_TRUE(wait_(std::string(second.begin(), second.end()).c_str(), 0xFFFFFFF0u));
  maker2.join();
}

TEST_F(OutputWait, NamesAreReadInTheAnsiCodePageAndInUtf16) {
  const std::wstring wide = scratch_ / L"Rechnung \u20AC.pdf";
  BOOL lossy = FALSE;
  char ansi[MAX_PATH];
  ASSERT_GT(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, MAX_PATH, nullptr, &lossy), 0);
  ASSERT_FALSE(lossy) << "the ANSI code page has no euro sign";
  WriteFileBytes(wide, "pdf");
  EXPECT_TRUE(wait_(ansi, 0));
  auto waitW = reinterpret_cast<BOOL(WINAPI*)(LPCWSTR, DWORD)>(
      reinterpret_cast<void*>(GetProcAddress(library_.Module(), "WaitForOutputW")));
  ASSERT_NE(waitW, nullptr);
  EXPECT_TRUE(waitW(wide.c_str(), 0));
  const std::wstring eastAsian = scratch_ / L"\u5831\u544A.pdf";
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(waitW(eastAsian.c_str(), 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
  WriteFileBytes(eastAsian, "pdf");
  EXPECT_TRUE(waitW(eastAsian.c_str(), 0));
}

// Each pass is stretched to ten seconds, so only a wake-up can end it early.
DWORD WINAPI LongPasses(DWORD count, const HANDLE* handles, BOOL all, DWORD) {
  return WaitForMultipleObjects(count, handles, all, 10000);
}

TEST_F(OutputWait, AFileRenamedIntoItsFolderWakesTheWaiter) {
  ImportPatch longPasses(library_.Module(), "kernel32.dll", "WaitForMultipleObjects",
                         reinterpret_cast<const void*>(&LongPasses));
  ASSERT_TRUE(longPasses.Applied());
  const std::wstring written = scratch_ / L"written.tmp";
  WriteFileBytes(written, "pdf");
  std::thread renamer([&] {
    Sleep(300);
    MoveFileW(written.c_str(), (scratch_ / L"out.pdf").c_str());
  });
  const ULONGLONG start = GetTickCount64();
  EXPECT_TRUE(wait_(Target().c_str(), 30000));
  EXPECT_LT(ElapsedSince(start), 5000u);
  renamer.join();
}

class MonitorEvent : public JobBed {
 protected:
  LoadedMonitor monitor_{{L"CORVALE1:"}};
};

TEST_F(MonitorEvent, TheEndOfAJobWakesAWaiterInAnotherProcess) {
  const std::wstring ready = scratch_ / L"ready";
  std::wstring commandLine = L"\"" + WindowsPathOf(EVENT_WAITER_EXE) + L"\" \"" + ready + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process));
  ASSERT_TRUE(WaitUntil([&] { return PathExists(ready); }, 10000));
  Sleep(200);  // the waiter is now inside its wait
  const ULONGLONG start = GetTickCount64();
  ASSERT_TRUE(monitor_.Spooler().PrintJob(L"CORVALE1:", L"Printer", 1, L"Doc", {"x"}));
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 15000), WAIT_OBJECT_0);
  DWORD exitCode = 99;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_LT(ElapsedSince(start), 10000u);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

}  // namespace
