// The trace "port.log" and the debug marker.
#include <gtest/gtest.h>

#include "debug_log.h"
#include "debug_marker.h"
#include "message_box_watcher.h"
#include "registry_override.h"
#include "scratch_folder.h"

namespace {

class PortLog : public testing::Test {
 protected:
  PortLog() {
    temp_.Set(scratch_ / L"temp");
    logFolder_.Remove();
  }
  MessageBoxWatcher boxes_;
  ScratchFolder scratch_;
  UserEnvironmentOverride temp_{L"TEMP"};
  MonitorSettingOverride logFolder_{L"LogFolder"};
  MonitorSettingOverride appFolder_{L"AppFolder"};
};

TEST_F(PortLog, EntriesHaveTheirExactBytes) {
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(SetLogFile());
  EXPECT_EQ(LogFilePath(), scratch_ / L"port.log");
  EXPECT_TRUE(DebugLog(L"MyStartDocPort", L"Start Doc", nullptr, true));
  EXPECT_TRUE(DebugLog(L"MakePDF", L"Work Area", L"C:\\w\\"));
  EXPECT_TRUE(DebugLog(nullptr, L"plain", nullptr));
  EXPECT_TRUE(DebugLog(L"S", L"two\nlines", L"d"));
  EXPECT_EQ(ReadFileBytes(LogFilePath()),
            "[MyStartDocPort] Start Doc\r\n[MakePDF] Work Area: C:\\w\\\r\nplain\r\n"
            "[S] two?lines: d\r\n");  // one line per entry
}

TEST_F(PortLog, TruncationStartsTheFileAfresh) {
  logFolder_.Set(scratch_.Path() + L"\\");
  ASSERT_TRUE(SetLogFile());
  EXPECT_EQ(LogFilePath(), scratch_ / L"port.log");  // no doubled backslash
  DebugLog(L"A", L"first job", nullptr, true);
  DebugLog(L"A", L"more", nullptr);
  DebugLog(L"B", L"second job", nullptr, true);
  EXPECT_EQ(ReadFileBytes(LogFilePath()), "[B] second job\r\n");
}

TEST_F(PortLog, NullMessageWritesNothing) {
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(SetLogFile());
  DebugLog(nullptr, L"kept", nullptr, true);
  EXPECT_FALSE(DebugLog(L"S", nullptr, L"detail", false));
  EXPECT_FALSE(DebugLog(L"S", nullptr, L"detail", true));
  EXPECT_EQ(ReadFileBytes(LogFilePath()), "kept\r\n");
}

TEST_F(PortLog, UnrepresentableCharactersBecomeQuestionMarksAndTheLineEndStays) {
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(SetLogFile());
  DebugLog(L"S", L"Document", L"caf\u00E9 \u20AC5 \u4E2D", true);
  DebugLog(L"S", L"next", nullptr);
  EXPECT_EQ(ReadFileBytes(LogFilePath()), "[S] Document: caf\xE9 ?5 ?\r\n[S] next\r\n");
}

TEST_F(PortLog, MissingLogFolderChainIsCreated) {
  logFolder_.Set(scratch_ / L"logs\\deep\\er");
  ASSERT_TRUE(SetLogFile());
  EXPECT_EQ(LogFilePath(), scratch_ / L"logs\\deep\\er\\port.log");
  DebugLog(L"S", L"M", nullptr, true);
  EXPECT_EQ(ReadFileBytes(LogFilePath()), "[S] M\r\n");
}

TEST_F(PortLog, WithoutLogFolderTheLogLiesInTheWorkArea) {
  ASSERT_TRUE(SetLogFile());
  EXPECT_EQ(LogFilePath(), scratch_ / L"temp\\Quillmar\\PDF Writer\\port.log");
  logFolder_.Set(L"");  // empty counts as absent
  ASSERT_TRUE(SetLogFile());
  EXPECT_EQ(LogFilePath(), scratch_ / L"temp\\Quillmar\\PDF Writer\\port.log");
}

TEST_F(PortLog, AFolderThatCannotBeCreatedKeepsTheFormerPathAfterAMessage) {
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(SetLogFile());
  WriteFileBytes(scratch_ / L"file", "x");
  logFolder_.Set(scratch_ / L"file\\logs");
  EXPECT_FALSE(SetLogFile());
  EXPECT_EQ(LogFilePath(), scratch_ / L"port.log");
  ASSERT_TRUE(boxes_.WaitForBoxes(1, 5000));
  EXPECT_EQ(boxes_.Seen()[0].caption, L"PDF Printer - Unable to create log file folder");
  EXPECT_EQ(boxes_.Seen()[0].text, scratch_ / L"file\\logs\\");
}

TEST_F(PortLog, ALogThatCannotBeOpenedIsReportedOnlyWhenTruncating) {
  CreateDirectoryW((scratch_ / L"port.log").c_str(), nullptr);  // a folder in the file's place
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(SetLogFile());
  EXPECT_FALSE(DebugLog(L"S", L"appended", nullptr));
  EXPECT_FALSE(boxes_.WaitForBoxes(1, 200));
  EXPECT_FALSE(DebugLog(L"S", L"first of a job", nullptr, true));
  ASSERT_TRUE(boxes_.WaitForBoxes(1, 5000));
  EXPECT_EQ(boxes_.Seen()[0].caption, L"Quillmar Printer");
  const std::wstring expectedStart =
      L"[DebugLog] Unable to open log file for writing.\n\nFilename: " + (scratch_ / L"port.log") +
      L"\nError: ";
  EXPECT_EQ(boxes_.Seen()[0].text.substr(0, expectedStart.size()), expectedStart);
}

TEST_F(PortLog, DebugMarkerInTheApplicationFolder) {
  logFolder_.Set(scratch_.Path());
  ASSERT_TRUE(SetLogFile());
  DebugLog(nullptr, L"job", nullptr, true);
  appFolder_.Set(scratch_.Path());
  EXPECT_FALSE(IsDebug());
  WriteFileBytes(scratch_ / L"debug.txt", "");
  EXPECT_TRUE(IsDebug());
  appFolder_.Set(scratch_.Path() + L"\\");
  EXPECT_TRUE(IsDebug());
  appFolder_.Remove();
  EXPECT_FALSE(IsDebug());
  EXPECT_EQ(ReadFileBytes(LogFilePath()),
            "job\r\n[IsDebug] Unable to read AppFolder setting from the registry\r\n");
}

}  // namespace
