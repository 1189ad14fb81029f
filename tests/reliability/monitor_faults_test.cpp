// Jobs through the monitor when folders, the converter, the registry or the
// disk fail under them: the job's failure path, the user's messages, and no
// crash. The port takes the next job once the fault is gone.
#include <string>
#include <vector>

#include "monitor_fault_bed.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

using MonitorFolderFaults = MonitorFaultBed;

TEST_F(MonitorFolderFaults, WorkAreaThatCannotBeCreatedShowsItsBoxAndFailsTheStart) {
  {
    LockedFolder locked(Folder(L"temp"));
    ASSERT_TRUE(locked.Locked());
    std::vector<DWORD> written;
    EXPECT_FALSE(PrintJob({"%!PS\n", std::string(4096, 'x')}, &written));
    EXPECT_EQ(written, (std::vector<DWORD>{5, 4096}));  // writes after it are dropped

    ASSERT_TRUE(boxes_.WaitForBoxes(1, 5000));
    for (const SeenMessageBox& box : boxes_.Seen()) {
      EXPECT_EQ(box.caption, L"PDF Printer - Unable to create working area");
      EXPECT_EQ(box.text, WorkArea());
    }
    EXPECT_TRUE(Contains(Log(), "[MyStartDocPort] Postscript file name: \r\n")) << Log();
    EXPECT_TRUE(ReadConverterCalls(Folder(L"app")).empty());
  }

  // With the folder writable again the same port runs the next job.
  const std::size_t boxesBefore = boxes_.Count();
  EXPECT_TRUE(PrintJob({"%!PS\n", "showpage\n"}));
  const auto calls = WaitForConverterCalls(Folder(L"app"), 1, 10000);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(Contains(Narrow(calls[0].commandLine), Narrow(L"ps=\"" + WorkArea())));
  EXPECT_EQ(boxes_.Count(), boxesBefore);
}

TEST_F(MonitorFolderFaults, LogFolderThatCannotBeCreatedShowsItsBoxAndTheJobGoesOn) {
  LockedFolder locked(MakeFolder(L"locked"));
  ASSERT_TRUE(locked.Locked());
  logFolder_.Set(Folder(L"locked\\logs"));
  LoadMonitor();

  EXPECT_TRUE(PrintJob({"%!PS\n", "showpage\n"}));
  ASSERT_TRUE(boxes_.WaitForBoxes(1, 5000));
  EXPECT_EQ(boxes_.Seen()[0].caption, L"PDF Printer - Unable to create log file folder");
  EXPECT_EQ(boxes_.Seen()[0].text, Folder(L"locked\\logs\\"));

  const auto calls = WaitForConverterCalls(Folder(L"app"), 1, 10000);
  ASSERT_EQ(calls.size(), 1u);
  const auto spoolFiles = ListFiles(WorkArea(), L"*_printer.ps");
  ASSERT_EQ(spoolFiles.size(), 1u);
  EXPECT_EQ(ReadFileBytes(WorkArea() + spoolFiles[0]), "%!PS\nshowpage\n");
}

using ConverterFaults = MonitorFaultBed;

TEST_F(ConverterFaults, ConverterThatIsNoProgramFailsTheLaunchAndRemovesTheSpoolFile) {
  WriteFileBytes(MakeFolder(L"broken") + L"\\gui.exe", "this is no program");
  appFolder_.Set(Folder(L"broken"));

  EXPECT_TRUE(PrintJob({"%!PS\n", "showpage\n"}));
  const std::string log = Log();
  EXPECT_TRUE(Contains(log, "[RunProcessAsUser] CreateProcessAsUser failed")) << log;
  EXPECT_TRUE(Contains(log, "[RunProcessAsUser] Exit RunProcessAsUser: Create process error"));
  EXPECT_TRUE(Contains(log, "[RunGUI] Launch of GUI failed"));
  EXPECT_TRUE(Contains(log, "[MakePDF] Status: Error"));
  EXPECT_TRUE(ListFiles(WorkArea(), L"*.ps").empty());
  EXPECT_EQ(boxes_.Count(), 0u);
}

using RegistryFaults = MonitorFaultBed;

TEST_F(RegistryFaults, AppFolderOfAnotherTypeCountsAsAbsent) {
  const DWORD number = 42;
  appFolder_.SetRaw(REG_DWORD, &number, sizeof number);
  EXPECT_TRUE(PrintJob({"%!PS\n"}));
  const std::string log = Log();
  EXPECT_TRUE(Contains(log, "[RunGUI] Unable to read AppFolder setting from the registry")) << log;
  EXPECT_TRUE(Contains(log, "[MakePDF] Status: Error"));
  EXPECT_TRUE(ListFiles(WorkArea(), L"*.ps").empty());
  EXPECT_TRUE(ReadConverterCalls(Folder(L"app")).empty());
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(RegistryFaults, AppFolderWithoutItsTerminatingNullIsReadToItsSize) {
  const std::wstring folder = Folder(L"app");
  appFolder_.SetRaw(REG_SZ, folder.data(), static_cast<DWORD>(folder.size() * sizeof(wchar_t)));
  EXPECT_TRUE(PrintJob({"%!PS\n"}));
  const auto calls = WaitForConverterCalls(folder, 1, 10000);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].commandLine.rfind(L"\"" + folder + L"\\gui.exe\" ps=", 0), 0u);
}

TEST_F(RegistryFaults, LogFolderOfAnotherTypeSendsTheLogToTheWorkArea) {
  const BYTE bytes[] = {'C', 0, ':', 0};
  logFolder_.SetRaw(REG_BINARY, bytes, sizeof bytes);
  EXPECT_TRUE(PrintJob({"%!PS\n"}));
  EXPECT_EQ(WaitForConverterCalls(Folder(L"app"), 1, 10000).size(), 1u);
  EXPECT_TRUE(Contains(ReadFileBytes(WorkArea() + L"port.log"), "[MakePDF] Status: Success"));
}

TEST_F(RegistryFaults, MissingSettingsKeyFailsTheLaunchAndKeepsTheLogInTheWorkArea) {
  SettingsKeyRemoved absent;
  LoadMonitor();
  EXPECT_TRUE(PrintJob({"%!PS\n", "showpage\n"}));
  const std::string log = ReadFileBytes(WorkArea() + L"port.log");
  EXPECT_TRUE(Contains(log, "[RunGUI] Unable to read AppFolder setting from the registry")) << log;
  EXPECT_TRUE(Contains(log, "[MakePDF] Status: Error"));
  EXPECT_TRUE(ListFiles(WorkArea(), L"*.ps").empty());
  EXPECT_TRUE(ReadConverterCalls(Folder(L"app")).empty());
  EXPECT_EQ(boxes_.Count(), 0u);
}

using SpoolWriteFaults = MonitorFaultBed;

TEST_F(SpoolWriteFaults, FullDiskConvertsNoPartialFileAndThePortRecovers) {
  const std::wstring smallDisk = ScratchRootWindows() + L"\\small-disk";
  if (!PathExists(smallDisk + L"\\.mounted")) GTEST_SKIP() << "no small disk could be mounted";
  temp_.Set(smallDisk);

  // 256 KiB into a 128 KiB disk: later writes fail, each call still returns TRUE.
  const std::vector<std::string> writes(4, std::string(64 * 1024, 'p'));
  EXPECT_TRUE(PrintJob(writes));
  const std::wstring workArea = smallDisk + L"\\Quillmar\\PDF Writer\\";
  EXPECT_TRUE(ListFiles(workArea, L"*_printer.ps").empty());  // the partial file went
  EXPECT_TRUE(Contains(Log(),
                       "[EndDocPort] Spool file incomplete, the job stays in the queue: "
                       "Write failed, Error="));
  Sleep(300);
  EXPECT_TRUE(ReadConverterCalls(Folder(L"app")).empty());
  EXPECT_EQ(boxes_.Count(), 0u);

  // Space again: the next job on the port is whole.
  EXPECT_TRUE(PrintJob({"%!PS\n", "showpage\n"}));
  auto spoolFiles = ListFiles(workArea, L"*_printer.ps");
  ASSERT_EQ(spoolFiles.size(), 1u);
  EXPECT_EQ(ReadFileBytes(workArea + spoolFiles[0]), "%!PS\nshowpage\n");
}

}  // namespace
