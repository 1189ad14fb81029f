// A bed for whole jobs of gui.exe with fake_ghostscript.exe standing in for
// Ghostscript: the settings of the test's own data folder ("Burst.pdf" in the
// work folder, numbered), the machine-wide "AppFolder", "LogFolder",
// "Ghostscript" and "MaxConversions", and the record of the fake's runs.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "conversion_turns.h"
#include "converter_command_line.h"
#include "fake_ghostscript.h"
#include "message_box_watcher.h"
#include "own_log_name.h"
#include "printer_settings.h"
#include "registry_override.h"
#include "scratch_folder.h"

class FakeConversionBed : public testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableW(L"APPDATA", data_.Path().c_str());
    appFolder_.Set(app_.Path());
    logFolder_.Set(work_.Path());
    ghostscript_.Set(WindowsPathOf(FAKE_GHOSTSCRIPT));
    Existing(L"number");  // every job of the burst: "Burst.pdf", numbered
    runs_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                   sizeof(FakeGhostscriptRuns), kFakeGhostscriptRuns));
    view_.reset(MapViewOfFile(runs_.get(), FILE_MAP_WRITE, 0, 0, sizeof(FakeGhostscriptRuns)));
    ASSERT_TRUE(view_);
  }

  // Every job's output is "Burst.pdf" in the work folder, under the rule
  // `existing` for a file that is there.
  void Existing(const wchar_t* rule) {
    PrinterSettings settings;
    settings.SetValue(L"outputfolder", work_.Path());
    settings.SetValue(L"existing", rule);
    settings.WriteSettings(false);
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

  // The converters' log: the test user's own "gui.log" in the log folder.
  std::string GuiLog() const { return ReadFileBytes(work_ / OwnLogName(L"gui")); }

  // The converter's exit code once it ended in time, else nothing.
  static std::optional<DWORD> ExitCode(const UniqueHandle& converter, DWORD timeoutMs) {
    DWORD exitCode = 0;
    if (WaitForSingleObject(converter.get(), timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(converter.get(), &exitCode)) {
      return std::nullopt;
    }
    return exitCode;
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
