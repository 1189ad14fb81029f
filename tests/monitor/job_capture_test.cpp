// Whole jobs through the spooler stand-in: spool files, converter command lines,
// the log of a job and the failure paths.
#include <gtest/gtest.h>

#include <algorithm>

#include "job_bed.h"

namespace {

using Calls = std::vector<ConverterCall>;

class Job : public JobBed {
 protected:
  LoadedMonitor monitor_{{L"CORVALE1:", L"CORVALE2:"}};
  const SpoolerStandIn& spooler_ = monitor_.Spooler();
};

TEST_F(Job, ThreeWritesFillTheSpoolFileNamedAfterTheSessionId) {
  ASSERT_TRUE(spooler_.PrintJob(L"CORVALE1:", L"Printer", 7, L"Doc", {"%!PS\n", "", "\0\xff end"}));
  const auto ids = LoggedSessionIds();
  ASSERT_EQ(ids.size(), 1u);
  EXPECT_EQ(ReadFileBytes(SpoolFile(ids[0])), std::string("%!PS\n") + "" + "\0\xff end");
  const Calls calls = WaitForConverterCalls(AppFolder(), 1, 10000);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].commandLine, JobCommandLine(ids[0], L"Doc", L"Printer"));
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(Job, WritePortReportsEveryByteWritten) {
  HANDLE port = spooler_.OpenPort(L"CORVALE1:");
  ASSERT_TRUE(spooler_.StartDoc(port, L"Printer", 1, L"Doc"));
  DWORD written = 0;
  EXPECT_TRUE(spooler_.Write(port, std::string(100000, 'a'), &written));
  EXPECT_EQ(written, 100000u);
  EXPECT_TRUE(spooler_.EndDoc(port));
}

TEST_F(Job, TheConverterGetsThePrintingUsersEnvironment) {
  UserEnvironmentOverride mark(L"CORVALE_USER_MARK");
  mark.Set(L"printing user");
  ASSERT_TRUE(spooler_.PrintJob(L"CORVALE1:", L"Printer", 1, L"Doc", {"x"}));
  const Calls calls = WaitForConverterCalls(AppFolder(), 1, 10000);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Variable(L"CORVALE_USER_MARK"), L"printing user");
  EXPECT_EQ(calls[0].Variable(L"TEMP"), scratch_ / L"temp");
}

TEST_F(Job, TheWholeJobIsTracedInPortLog) {
  ASSERT_TRUE(spooler_.PrintJob(L"CORVALE1:", L"Printer", 3, L"Doc", {"data"}));
  const auto ids = LoggedSessionIds();
  ASSERT_EQ(ids.size(), 1u);
  const std::string id(ids[0].begin(), ids[0].end());
  const std::wstring wideSpool = SpoolFile(ids[0]), wideArea = WorkArea();
  const std::string spool(wideSpool.begin(), wideSpool.end()),
      area(wideArea.begin(), wideArea.end());
  std::string expected =
      "[MyStartDocPort] Start Doc\r\n"
      "[MyStartDocPort] Session Id: " +
      id +
      "\r\n"
      "[MyStartDocPort] Printer Name: Printer\r\n"
      "[MyStartDocPort] DocumentName: Doc\r\n"
      "[MyStartDocPort] Printer Job - Machine Name: \r\n"
      "[MyStartDocPort] Printer Job - User Name: \r\n"
      "[MyStartDocPort] Postscript file name: " +
      spool +
      "\r\n"
      "[MakePDF] Work Area: " +
      area +
      "\r\n"
      "[MakePDF] PostScript: " +
      spool +
      "\r\n"
      "[MakePDF] Build parameter string for GUI\r\n"
      "[MakePDF] Postscript file: " +
      spool +
      "\r\n"
      "[MakePDF] Document Name is : Doc\r\n"
      "[MakePDF] Printer Name is : Printer\r\n"
      "[MakePDF] GUI parameters: ps=\"" +
      spool + "\", sessionid=\"" + id +
      "\", doc=\"Doc\", printer=\"Printer\"\r\n"
      "[RunGUI] Launch GUI\r\n";
  for (const char* mark : {"Start", "1", "2", "3", "4", "5", "6", "7", "9", "End"}) {
    expected += std::string("[RunProcessAsUser] Impersonate: ") + mark + "\r\n";
  }
  expected += "[MakePDF] Cleanup\r\n[MakePDF] Status: Success\r\n";
  EXPECT_EQ(Log(), expected);
}

TEST_F(Job, TheConverterGetsTheSpoolFileMadeAtTheStartEvenWhenTempChanged) {
  HANDLE port = spooler_.OpenPort(L"CORVALE1:");
  ASSERT_TRUE(spooler_.StartDoc(port, L"Printer", 1, L"Doc"));
  const std::wstring id = LoggedSessionIds().at(0);
  temp_.Set(scratch_ / L"elsewhere");
  ASSERT_TRUE(spooler_.Write(port, "bytes"));
  ASSERT_TRUE(spooler_.EndDoc(port));
  const Calls calls = WaitForConverterCalls(AppFolder(), 1, 10000);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].commandLine, JobCommandLine(id, L"Doc", L"Printer"));
  EXPECT_EQ(ReadFileBytes(SpoolFile(id)), "bytes");
}

TEST_F(Job, AppFolderWithTrailingBackslashGivesTheSameCommandLine) {
  appFolder_.Set(AppFolder() + L"\\");
  ASSERT_TRUE(spooler_.PrintJob(L"CORVALE1:", L"Printer", 1, L"Doc", {"x"}));
  const Calls calls = WaitForConverterCalls(AppFolder(), 1, 10000);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].commandLine, JobCommandLine(LoggedSessionIds().at(0), L"Doc", L"Printer"));
}

TEST_F(Job, CommasPassUnchangedAndDoubleQuotesAreDoubled) {
  ASSERT_TRUE(spooler_.PrintJob(L"CORVALE1:", L"Printer", 1, L"Report, final", {"x"}));
  ASSERT_EQ(WaitForConverterCalls(AppFolder(), 1, 10000).size(), 1u);
  ASSERT_TRUE(
      spooler_.PrintJob(L"CORVALE1:", L"My \"best\" printer", 2, L"a\", doc=\"evil", {"x"}));
  const Calls calls = WaitForConverterCalls(AppFolder(), 2, 10000);
  ASSERT_EQ(calls.size(), 2u);
  std::vector<std::wstring> lines{calls[0].commandLine, calls[1].commandLine};
  std::sort(lines.begin(), lines.end());
  const auto ids = LoggedSessionIds();  // the log holds the latest job only
  ASSERT_EQ(ids.size(), 1u);
  const std::wstring second =
      JobCommandLine(ids[0], L"a\"\", doc=\"\"evil", L"My \"\"best\"\" printer");
  EXPECT_TRUE(lines[0] == second || lines[1] == second)
      << "missing: " << testing::PrintToString(second);
  const std::wstring firstTail = L"doc=\"Report, final\", printer=\"Printer\"";
  EXPECT_TRUE(lines[0].ends_with(firstTail) || lines[1].ends_with(firstTail));
}

TEST_F(Job, LongNamesKeepTheirFirst999CodeUnitsAndTheLineIsNotCut) {
  const std::wstring document(1500, L'd'), printer(1200, L'p');
  ASSERT_TRUE(spooler_.PrintJob(L"CORVALE1:", printer, 1, document, {"x"}));
  const Calls calls = WaitForConverterCalls(AppFolder(), 1, 10000);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].commandLine, JobCommandLine(LoggedSessionIds().at(0), std::wstring(999, L'd'),
                                                 std::wstring(999, L'p')));
}

TEST_F(Job, ANullPrinterNameIsTheEmptyText) {
  HANDLE port = spooler_.OpenPort(L"CORVALE1:");
  DOC_INFO_1W info{const_cast<LPWSTR>(L"Doc"), nullptr, nullptr};
  ASSERT_TRUE(
      monitor_.Table().pfnStartDocPort(port, nullptr, 0, 1, reinterpret_cast<LPBYTE>(&info)));
  ASSERT_TRUE(spooler_.EndDoc(port));
  const Calls calls = WaitForConverterCalls(AppFolder(), 1, 10000);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].commandLine, JobCommandLine(LoggedSessionIds().at(0), L"Doc", L""));
}

TEST_F(Job, WithoutDocumentInformationThePortKeepsItsPreviousDocumentName) {
  ASSERT_TRUE(spooler_.PrintJob(L"CORVALE1:", L"P", 1, L"First", {"x"}));
  ASSERT_TRUE(spooler_.PrintJob(L"CORVALE2:", L"P", 2, L"Other port", {"x"}));
  HANDLE port = spooler_.OpenPort(L"CORVALE1:");
  ASSERT_TRUE(monitor_.Table().pfnStartDocPort(port, const_cast<LPWSTR>(L"P"), 3, 1, nullptr));
  const std::wstring thirdId = LoggedSessionIds().at(0);
  ASSERT_TRUE(spooler_.EndDoc(port));
  const Calls calls = WaitForConverterCalls(AppFolder(), 3, 10000);
  ASSERT_EQ(calls.size(), 3u);
  const std::wstring expected = JobCommandLine(thirdId, L"First", L"P");
  EXPECT_TRUE(std::any_of(calls.begin(), calls.end(),
                          [&](const ConverterCall& c) { return c.commandLine == expected; }));
}

TEST_F(Job, ABusyPortRefusesASecondDocumentAndChangesNothing) {
  HANDLE port = spooler_.OpenPort(L"CORVALE1:");
  ASSERT_TRUE(spooler_.StartDoc(port, L"Printer", 1, L"Running"));
  ASSERT_TRUE(spooler_.Write(port, "first "));
  const std::string logBefore = Log();
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(spooler_.StartDoc(port, L"Other", 2, L"Intruder"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BUSY));
  EXPECT_EQ(Log(), logBefore);
  ASSERT_TRUE(spooler_.Write(port, "job"));
  ASSERT_TRUE(spooler_.EndDoc(port));
  const auto ids = LoggedSessionIds();
  ASSERT_EQ(ids.size(), 1u);
  EXPECT_EQ(ReadFileBytes(SpoolFile(ids[0])), "first job");
  const Calls calls = WaitForConverterCalls(AppFolder(), 1, 10000);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].commandLine, JobCommandLine(ids[0], L"Running", L"Printer"));
}

TEST_F(Job, InterleavedJobsOnTwoPortsKeepTheirOwnData) {
  HANDLE one = spooler_.OpenPort(L"CORVALE1:");
  HANDLE two = spooler_.OpenPort(L"CORVALE2:");
  ASSERT_TRUE(spooler_.StartDoc(one, L"Printer A", 1, L"Doc A"));
  const std::wstring idOne = LoggedSessionIds().at(0);
  ASSERT_TRUE(spooler_.StartDoc(two, L"Printer B", 2, L"Doc B"));
  const std::wstring idTwo = LoggedSessionIds().at(0);
  ASSERT_TRUE(spooler_.Write(one, "bytes of A"));
  ASSERT_TRUE(spooler_.Write(two, "bytes of B"));
  ASSERT_TRUE(spooler_.EndDoc(one));
  ASSERT_TRUE(spooler_.EndDoc(two));
  EXPECT_EQ(ReadFileBytes(SpoolFile(idOne)), "bytes of A");
  EXPECT_EQ(ReadFileBytes(SpoolFile(idTwo)), "bytes of B");
  const Calls calls = WaitForConverterCalls(AppFolder(), 2, 10000);
  ASSERT_EQ(calls.size(), 2u);
  std::vector<std::wstring> lines{calls[0].commandLine, calls[1].commandLine};
  std::sort(lines.begin(), lines.end());
  std::vector<std::wstring> expected{JobCommandLine(idOne, L"Doc A", L"Printer A"),
                                     JobCommandLine(idTwo, L"Doc B", L"Printer B")};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(lines, expected);
}

TEST_F(Job, AMissingConverterRemovesTheSpoolFile) {
  DeleteFileW((AppFolder() + L"\\gui.exe").c_str());
  ASSERT_TRUE(spooler_.PrintJob(L"CORVALE1:", L"Printer", 1, L"Doc", {"x"}));
  const std::wstring spool = SpoolFile(LoggedSessionIds().at(0));
  EXPECT_FALSE(PathExists(spool));
  const std::string log = Log();
  const std::wstring wideCommand = JobCommandLine(LoggedSessionIds().at(0), L"Doc", L"Printer");
  const std::string command(wideCommand.begin(), wideCommand.end());
  const std::string narrowSpool(spool.begin(), spool.end());
  const std::string expectedTail =
      "[RunProcessAsUser] Impersonate: 4\r\n"
      "[RunProcessAsUser] CreateProcessAsUser failed\r\n"
      "[RunProcessAsUser] CreateProcessAsUser failed: Error=2, ProcessId=0\r\n"
      "[RunProcessAsUser] Impersonate: 5\r\n"
      "[RunProcessAsUser] Impersonate: 6\r\n"
      "[RunProcessAsUser] Exit RunProcessAsUser: Create process error\r\n"
      "[RunGUI] Launch of GUI failed: " +
      command +
      "\r\n"
      "[MakePDF] Remove PS file: " +
      narrowSpool +
      "\r\n"
      "[MakePDF] Cleanup\r\n"
      "[MakePDF] Status: Error\r\n";
  ASSERT_GE(log.size(), expectedTail.size());
  EXPECT_EQ(log.substr(log.size() - expectedTail.size()), expectedTail);
}

TEST_F(Job, WithDebugMarkerAFailedLaunchKeepsTheSpoolFile) {
  DeleteFileW((AppFolder() + L"\\gui.exe").c_str());
  WriteFileBytes(AppFolder() + L"\\debug.txt", "");
  ASSERT_TRUE(spooler_.PrintJob(L"CORVALE1:", L"Printer", 1, L"Doc", {"kept"}));
  EXPECT_EQ(ReadFileBytes(SpoolFile(LoggedSessionIds().at(0))), "kept");
  EXPECT_NE(Log().find("[MakePDF] Status: Error\r\n"), std::string::npos);
  EXPECT_EQ(Log().find("Remove PS file"), std::string::npos);
}

TEST_F(Job, WithoutAppFolderNothingStartsAndTheSpoolFileGoes) {
  appFolder_.Remove();
  ASSERT_TRUE(spooler_.PrintJob(L"CORVALE1:", L"Printer", 1, L"Doc", {"x"}));
  EXPECT_FALSE(PathExists(SpoolFile(LoggedSessionIds().at(0))));
  const std::string log = Log();
  EXPECT_NE(log.find("[RunGUI] Unable to read AppFolder setting from the registry\r\n"
                     "[IsDebug] Unable to read AppFolder setting from the registry\r\n"
                     "[MakePDF] Remove PS file: "),
            std::string::npos);
  EXPECT_TRUE(ReadConverterCalls(AppFolder()).empty());
}

TEST_F(Job, WithoutAWorkAreaTheStartFailsEvenWithoutAPrinterToPause) {
  WriteFileBytes(scratch_ / L"blocker", "");
  temp_.Set(scratch_ / L"blocker");  // a file where the work area should be
  HANDLE port = spooler_.OpenPort(L"CORVALE1:");
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(spooler_.StartDoc(port, L"No such printer", 1, L"Doc"));
  EXPECT_NE(GetLastError(), kErrorSentinel);
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  DWORD written = 0;
  EXPECT_TRUE(spooler_.Write(port, "dropped", &written));  // a spooler that writes anyway
  EXPECT_EQ(written, 7u);
  EXPECT_TRUE(spooler_.EndDoc(port));
  EXPECT_TRUE(spooler_.ClosePort(port));
  EXPECT_NE(Log().find("[MyStartDocPort] Postscript file name: \r\n"), std::string::npos);
  ASSERT_TRUE(boxes_.WaitForBoxes(1, 5000));
  EXPECT_EQ(boxes_.Seen()[0].caption, L"PDF Printer - Unable to create working area");
  Sleep(300);
  EXPECT_TRUE(ReadConverterCalls(AppFolder()).empty());
}

}  // namespace
