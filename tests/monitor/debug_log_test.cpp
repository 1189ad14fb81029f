// The trace "port.log" and the debug marker.
#include <gtest/gtest.h>

#include <optional>

#include "debug_log.h"
#include "debug_marker.h"
#include "message_box_watcher.h"
#include "own_log_name.h"
#include "registry_override.h"
#include "scratch_folder.h"

namespace {

class PortLog : public testing::Test {
 protected:
  PortLog() {
    temp_.Set(scratch_ / L"temp");
    logFolder_.Remove();
  }
  // Starts a job's log, as StartDocPort does; false when it has no file.
  bool StartJobLog() {
    log_ = JobLogFile();
    scope_.emplace(log_);
    return !log_.path.empty();
  }
  MessageBoxWatcher boxes_;
  ScratchFolder scratch_;
  UserEnvironmentOverride temp_{L"TEMP"};
  MonitorSettingOverride logFolder_{L"LogFolder"};
  MonitorSettingOverride appFolder_{L"AppFolder"};
  const std::wstring ownLog_ = scratch_ / OwnLogName(L"port");
  LogTarget log_;
  std::optional<JobLogScope> scope_;
};

TEST_F(PortLog, EntriesHaveTheirExactBytes) {
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(StartJobLog());
  EXPECT_EQ(log_.path, ownLog_);  // the user's own file in the shared folder
  EXPECT_TRUE(DebugLog(L"MyStartDocPort", L"Start Doc", nullptr, true));
  EXPECT_TRUE(DebugLog(L"MakePDF", L"Work Area", L"C:\\w\\"));
  EXPECT_TRUE(DebugLog(nullptr, L"plain", nullptr));
  EXPECT_TRUE(DebugLog(L"S", L"two\nlines", L"C1\x0085"));
  EXPECT_EQ(ReadFileBytes(log_.path),
            "[MyStartDocPort] Start Doc\r\n[MakePDF] Work Area: C:\\w\\\r\nplain\r\n"
            "[S] two?lines: C1?\r\n");  // one line per entry
}

TEST_F(PortLog, TruncationStartsTheFileAfresh) {
  logFolder_.Set(scratch_.Path() + L"\\");
  ASSERT_TRUE(StartJobLog());
  EXPECT_EQ(log_.path, ownLog_);  // no doubled backslash
  DebugLog(L"A", L"first job", nullptr, true);
  DebugLog(L"A", L"more", nullptr);
  DebugLog(L"B", L"second job", nullptr, true);
  EXPECT_EQ(ReadFileBytes(log_.path), "[B] second job\r\n");
}

TEST_F(PortLog, NullMessageWritesNothing) {
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(StartJobLog());
  DebugLog(nullptr, L"kept", nullptr, true);
  EXPECT_FALSE(DebugLog(L"S", nullptr, L"detail", false));
  EXPECT_FALSE(DebugLog(L"S", nullptr, L"detail", true));
  EXPECT_EQ(ReadFileBytes(log_.path), "kept\r\n");
}

TEST_F(PortLog, UnrepresentableCharactersBecomeQuestionMarksAndTheLineEndStays) {
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(StartJobLog());
  DebugLog(L"S", L"Document", L"caf\u00E9 \u20AC5 \u4E2D", true);
  DebugLog(L"S", L"next", nullptr);
  EXPECT_EQ(ReadFileBytes(log_.path), "[S] Document: caf\xE9 ?5 ?\r\n[S] next\r\n");
}

TEST_F(PortLog, MissingLogFolderChainIsCreated) {
  logFolder_.Set(scratch_ / L"logs\\deep\\er");
  ASSERT_TRUE(StartJobLog());
  EXPECT_EQ(log_.path, scratch_ / (L"logs\\deep\\er\\" + OwnLogName(L"port")));
  DebugLog(L"S", L"M", nullptr, true);
  EXPECT_EQ(ReadFileBytes(log_.path), "[S] M\r\n");
}

TEST_F(PortLog, WithoutLogFolderTheLogLiesInTheWorkArea) {
  ASSERT_TRUE(StartJobLog());
  EXPECT_EQ(log_.path, scratch_ / L"temp\\Quillmar\\PDF Writer\\port.log");
  logFolder_.Set(L"");  // empty counts as absent
  ASSERT_TRUE(StartJobLog());
  EXPECT_EQ(log_.path, scratch_ / L"temp\\Quillmar\\PDF Writer\\port.log");
  // Outside a job (port administration) nothing goes there.
  scope_.reset();
  EXPECT_FALSE(DebugLog(L"GUIMessage", L"no job", nullptr));
}

// The spooler's own temporary folder is shared by every user: never a log.
TEST_F(PortLog, WithoutWorkAreaOrLogFolderTheJobLogsNothing) {
  wchar_t processTemp[MAX_PATH + 1];
  ASSERT_NE(GetTempPathW(MAX_PATH, processTemp), 0u);
  const std::wstring sharedLog = std::wstring(processTemp) + L"port.log";
  DeleteFileW(sharedLog.c_str());
  WriteFileBytes(scratch_ / L"blocker", "");
  temp_.Set(scratch_ / L"blocker");  // a file where the work area should be
  EXPECT_FALSE(StartJobLog());
  EXPECT_FALSE(DebugLog(L"S", L"Start Doc", nullptr, true));
  EXPECT_FALSE(PathExists(sharedLog));
  EXPECT_TRUE(boxes_.WaitForBoxes(1, 5000));  // the work area's message only
  Sleep(200);
  EXPECT_EQ(boxes_.Count(), 1u);
}

TEST_F(PortLog, AFolderThatCannotBeCreatedGivesNoLogAfterAMessage) {
  WriteFileBytes(scratch_ / L"file", "x");
  logFolder_.Set(scratch_ / L"file\\logs");
  EXPECT_FALSE(StartJobLog());
  ASSERT_TRUE(boxes_.WaitForBoxes(1, 5000));
  EXPECT_EQ(boxes_.Seen()[0].caption, L"PDF Printer - Unable to create log file folder");
  EXPECT_EQ(boxes_.Seen()[0].text, scratch_ / L"file\\logs\\");
}

TEST_F(PortLog, ALogThatCannotBeOpenedIsReportedOnlyWhenTruncating) {
  CreateDirectoryW(ownLog_.c_str(), nullptr);  // a folder in the file's place
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(StartJobLog());
  EXPECT_FALSE(DebugLog(L"S", L"appended", nullptr));
  EXPECT_FALSE(boxes_.WaitForBoxes(1, 200));
  EXPECT_FALSE(DebugLog(L"S", L"first of a job", nullptr, true));
  ASSERT_TRUE(boxes_.WaitForBoxes(1, 5000));
  EXPECT_EQ(boxes_.Seen()[0].caption, L"Quillmar Printer");
  const std::wstring expectedStart =
      L"[DebugLog] Unable to open log file for writing.\n\nFilename: " + ownLog_ + L"\nError: ";
  EXPECT_EQ(boxes_.Seen()[0].text.substr(0, expectedStart.size()), expectedStart);
}

// A second name of another file, made in the user's log's place, is not written.
TEST_F(PortLog, ALogThatIsAnotherFilesSecondNameIsNotWritten) {
  WriteFileBytes(scratch_ / L"other.txt", "kept");
  ASSERT_TRUE(CreateHardLinkW(ownLog_.c_str(), (scratch_ / L"other.txt").c_str(), nullptr));
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(StartJobLog());
  EXPECT_FALSE(DebugLog(L"S", L"appended", nullptr));
  EXPECT_EQ(ReadFileBytes(scratch_ / L"other.txt"), "kept");
}

TEST_F(PortLog, DebugMarkerInTheApplicationFolder) {
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(StartJobLog());
  DebugLog(nullptr, L"job", nullptr, true);
  appFolder_.Set(scratch_.Path());
  EXPECT_FALSE(IsDebug());
  WriteFileBytes(scratch_ / L"debug.txt", "");
  EXPECT_TRUE(IsDebug());
  appFolder_.Set(scratch_.Path() + L"\\");
  EXPECT_TRUE(IsDebug());
  appFolder_.Remove();
  EXPECT_FALSE(IsDebug());
  EXPECT_EQ(ReadFileBytes(log_.path),
            "job\r\n[IsDebug] Unable to read AppFolder setting from the registry\r\n");
}

}  // namespace
