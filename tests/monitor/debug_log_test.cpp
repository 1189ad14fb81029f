// The trace "port.log": where each user's log lies, and the debug marker.
#include <gtest/gtest.h>

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
  // The job log with "LogFolder" set to `folder`, as a job starts it.
  LogTarget LogIn(const std::wstring& folder) {
    logFolder_.Set(folder);
    return JobLogFile();
  }
  std::wstring OwnLog() const { return scratch_ / OwnLogName(L"port"); }

  MessageBoxWatcher boxes_;
  ScratchFolder scratch_;
  UserEnvironmentOverride temp_{L"TEMP"};
  MonitorSettingOverride logFolder_{L"LogFolder"};
  MonitorSettingOverride appFolder_{L"AppFolder"};
};

TEST_F(PortLog, EntriesHaveTheirExactBytesInTheUsersOwnFile) {
  const LogTarget log = LogIn(scratch_.Path());
  EXPECT_EQ(log.path, OwnLog());
  const JobLogScope scope(log);
  EXPECT_TRUE(DebugLog(L"MyStartDocPort", L"Start Doc", nullptr, true));
  EXPECT_TRUE(DebugLog(L"MakePDF", L"Work Area", L"C:\\w\\"));
  EXPECT_TRUE(DebugLog(nullptr, L"plain", nullptr));
  EXPECT_TRUE(DebugLog(L"S", L"two\nlines", L"C1\x0085 and\x009B"));
  EXPECT_EQ(ReadFileBytes(OwnLog()),
            "[MyStartDocPort] Start Doc\r\n[MakePDF] Work Area: C:\\w\\\r\nplain\r\n"
            "[S] two?lines: C1? and?\r\n");  // one line per entry
}

TEST_F(PortLog, TruncationStartsTheFileAfresh) {
  const LogTarget log = LogIn(scratch_.Path() + L"\\");
  const JobLogScope scope(log);
  DebugLog(L"A", L"first job", nullptr, true);
  DebugLog(L"A", L"more", nullptr);
  DebugLog(L"B", L"second job", nullptr, true);
  EXPECT_EQ(ReadFileBytes(OwnLog()), "[B] second job\r\n");  // no doubled backslash either
}

TEST_F(PortLog, NullMessageWritesNothing) {
  const LogTarget log = LogIn(scratch_.Path());
  const JobLogScope scope(log);
  DebugLog(nullptr, L"kept", nullptr, true);
  EXPECT_FALSE(DebugLog(L"S", nullptr, L"detail", false));
  EXPECT_FALSE(DebugLog(L"S", nullptr, L"detail", true));
  EXPECT_EQ(ReadFileBytes(OwnLog()), "kept\r\n");
}

TEST_F(PortLog, UnrepresentableCharactersBecomeQuestionMarksAndTheLineEndStays) {
  const LogTarget log = LogIn(scratch_.Path());
  const JobLogScope scope(log);
  DebugLog(L"S", L"Document", L"caf\u00E9 \u20AC5 \u4E2D", true);
  DebugLog(L"S", L"next", nullptr);
  EXPECT_EQ(ReadFileBytes(OwnLog()), "[S] Document: caf\xE9 ?5 ?\r\n[S] next\r\n");
}

TEST_F(PortLog, MissingLogFolderChainIsCreated) {
  const LogTarget log = LogIn(scratch_ / L"logs\\deep\\er");
  EXPECT_EQ(log.path, scratch_ / (L"logs\\deep\\er\\" + OwnLogName(L"port")));
  const JobLogScope scope(log);
  DebugLog(L"S", L"M", nullptr, true);
  EXPECT_EQ(ReadFileBytes(log.path), "[S] M\r\n");
}

TEST_F(PortLog, WithoutLogFolderTheLogLiesInTheWorkArea) {
  EXPECT_EQ(JobLogFile().path, scratch_ / L"temp\\Quillmar\\PDF Writer\\port.log");
  EXPECT_EQ(LogIn(L"").path, scratch_ / L"temp\\Quillmar\\PDF Writer\\port.log");  // empty: unset
}

// The spooler's own temporary folder is shared by every user: never a log.
TEST_F(PortLog, WithoutWorkAreaOrLogFolderTheJobLogsNothing) {
  wchar_t processTemp[MAX_PATH + 1];
  ASSERT_NE(GetTempPathW(MAX_PATH, processTemp), 0u);
  const std::wstring sharedLog = std::wstring(processTemp) + L"port.log";
  DeleteFileW(sharedLog.c_str());
  WriteFileBytes(scratch_ / L"blocker", "");
  temp_.Set(scratch_ / L"blocker");  // a file where the work area should be
  const LogTarget log = JobLogFile();
  EXPECT_EQ(log.path, L"");
  const JobLogScope scope(log);
  EXPECT_FALSE(DebugLog(L"S", L"Start Doc", nullptr, true));
  EXPECT_FALSE(PathExists(sharedLog));
  ASSERT_TRUE(boxes_.WaitForBoxes(1, 5000));  // the work area's own message, no other
  Sleep(200);
  EXPECT_EQ(boxes_.Count(), 1u);
}

// Outside a job (port administration) only "LogFolder" takes entries.
TEST_F(PortLog, OutsideAJobOnlyTheLogFolderTakesEntries) {
  const std::wstring workAreaLog = JobLogFile().path;
  EXPECT_FALSE(DebugLog(L"GUIMessage", L"no job", nullptr));
  EXPECT_FALSE(PathExists(workAreaLog));
  logFolder_.Set(scratch_.Path());
  EXPECT_TRUE(DebugLog(L"GUIMessage", L"no job", nullptr));
  EXPECT_EQ(ReadFileBytes(OwnLog()), "[GUIMessage] no job\r\n");
}

TEST_F(PortLog, AFolderThatCannotBeCreatedGivesNoLogAfterAMessage) {
  WriteFileBytes(scratch_ / L"file", "x");
  EXPECT_EQ(LogIn(scratch_ / L"file\\logs").path, L"");
  ASSERT_TRUE(boxes_.WaitForBoxes(1, 5000));
  EXPECT_EQ(boxes_.Seen()[0].caption, L"PDF Printer - Unable to create log file folder");
  EXPECT_EQ(boxes_.Seen()[0].text, scratch_ / L"file\\logs\\");
}

TEST_F(PortLog, ALogThatCannotBeOpenedIsReportedOnlyWhenTruncating) {
  CreateDirectoryW(OwnLog().c_str(), nullptr);  // a folder in the file's place
  const LogTarget log = LogIn(scratch_.Path());
  const JobLogScope scope(log);
  EXPECT_FALSE(DebugLog(L"S", L"appended", nullptr));
  EXPECT_FALSE(boxes_.WaitForBoxes(1, 200));
  EXPECT_FALSE(DebugLog(L"S", L"first of a job", nullptr, true));
  ASSERT_TRUE(boxes_.WaitForBoxes(1, 5000));
  EXPECT_EQ(boxes_.Seen()[0].caption, L"Quillmar Printer");
  const std::wstring expectedStart =
      L"[DebugLog] Unable to open log file for writing.\n\nFilename: " + OwnLog() + L"\nError: ";
  EXPECT_EQ(boxes_.Seen()[0].text.substr(0, expectedStart.size()), expectedStart);
}

// A second name of another file, made in the user's log's place, is not written.
TEST_F(PortLog, ALogThatIsAnotherFilesSecondNameIsNotWritten) {
  const std::wstring other = scratch_ / L"other.txt";
  WriteFileBytes(other, "kept");
  ASSERT_TRUE(CreateHardLinkW(OwnLog().c_str(), other.c_str(), nullptr));
  const LogTarget log = LogIn(scratch_.Path());
  const JobLogScope scope(log);
  EXPECT_FALSE(DebugLog(L"S", L"appended", nullptr));
  EXPECT_EQ(ReadFileBytes(other), "kept");
}

TEST_F(PortLog, DebugMarkerInTheApplicationFolder) {
  const LogTarget log = LogIn(scratch_.Path());
  const JobLogScope scope(log);
  DebugLog(nullptr, L"job", nullptr, true);
  appFolder_.Set(scratch_.Path());
  EXPECT_FALSE(IsDebug());
  WriteFileBytes(scratch_ / L"debug.txt", "");
  EXPECT_TRUE(IsDebug());
  appFolder_.Set(scratch_.Path() + L"\\");
  EXPECT_TRUE(IsDebug());
  appFolder_.Remove();
  EXPECT_FALSE(IsDebug());
  EXPECT_EQ(ReadFileBytes(OwnLog()),
            "job\r\n[IsDebug] Unable to read AppFolder setting from the registry\r\n");
}

}  // namespace
