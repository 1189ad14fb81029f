// Run-once settings belong to exactly one job, however jobs and a client that
// sets them overlap.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "child_process.h"
#include "job_settings.h"
#include "printer_settings.h"
#include "save_file_names.h"
#include "scratch_folder.h"

namespace {

// The data folder of every thread of this program: APPDATA points into a
// scratch folder before any thread resolves it.
const std::wstring& DataFolder() {
  static ScratchFolder scratch;
  static const std::wstring folder = [] {
    SetEnvironmentVariableW(L"APPDATA", scratch.Path().c_str());
    PrinterSettings settings;
    settings.WriteSettings(false);  // creates the folder
    return scratch / L"Quillmar\\PDF Writer";
  }();
  return folder;
}

void SetRunOnceTitle(const std::wstring& title) {
  PrinterSettings client;
  client.LoadSettings(true);
  client.SetValue(L"title", title);
  client.WriteSettings(true);
}

// What a job does with its run-once settings: reads them, and at its end
// removes what it claimed. The run-once title it used, if any.
std::wstring RunJob(const std::wstring& printer) {
  const JobSettings settings = ReadJobSettings(printer);
  if (settings.claimedRunOnceFile) RemoveRunOnceSettings(*settings.claimedRunOnceFile);
  const auto title = settings.values.find(L"title");
  return title == settings.values.end() ? std::wstring() : title->second;
}

TEST(RunOnceClaims, EachRunOnceSettingGoesToExactlyOneJob) {
  const std::wstring runOnce = DataFolder() + L"\\runonce.ini";
  constexpr int kSettings = 60;
  std::atomic<bool> clientDone{false};
  std::mutex mutex;
  std::vector<std::wstring> taken;
  std::vector<std::thread> jobs;
  for (const wchar_t* printer : {L"", L"Laser", L"", L"Laser"}) {
    jobs.emplace_back([&, printer] {
      while (!clientDone) {
        if (std::wstring title = RunJob(printer); !title.empty()) {
          const std::lock_guard lock(mutex);
          taken.push_back(std::move(title));
        }
      }
    });
  }
  // Each setting is written while no earlier one is waiting, so none replaces another.
  for (int i = 0; i < kSettings; ++i) {
    SetRunOnceTitle(std::to_wstring(i));
    while (GetFileAttributesW(runOnce.c_str()) != INVALID_FILE_ATTRIBUTES) Sleep(1);
  }
  Sleep(100);
  clientDone = true;
  for (std::thread& job : jobs) job.join();
  std::vector<std::wstring> expected;
  for (int i = 0; i < kSettings; ++i) expected.push_back(std::to_wstring(i));
  std::sort(taken.begin(), taken.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(taken, expected);
  EXPECT_EQ(ListFiles(DataFolder(), L"~runonce-*"), std::vector<std::wstring>{});
}

TEST(RunOnceClaims, ClaimOfAJobThatDiedIsNeverReadAndTheNextJobRemovesIt) {
  const DWORD endedProcess = EndedProcessId();
  ASSERT_NE(endedProcess, 0u);
  const std::wstring dead = DataFolder() + L"\\" + ClaimedFileName({endedProcess, 7});
  WriteFileBytes(dead, "[PDF Printer]\r\n  title=stale\r\n");
  EXPECT_EQ(RunJob(L""), L"");
  EXPECT_FALSE(PathExists(dead));

  // A printer's own run-once file without job settings is given back.
  PrinterSettings own;
  own.SetPrinterInstance(L"Laser");
  own.SetValue(L"other", L"1");
  own.WriteSettings(true);
  SetRunOnceTitle(L"default");
  EXPECT_EQ(RunJob(L"Laser"), L"default");
  own.LoadSettings(true);
  EXPECT_EQ(own.GetValue(L"other"), L"1");
}

}  // namespace
