// What the monitor tells the spooler about each job (restart, pause, delete),
// seen through its recorded job control calls, and the messages it sends when
// it runs where nobody can answer a message box.
#include <gtest/gtest.h>

#include <windows.h>
#include <wtsapi32.h>

#include "job_bed.h"
#include "job_control_recorder.h"

namespace {

constexpr wchar_t kPrinter[] = L"Test printer";
constexpr wchar_t kMissingPrinter[] = L"Missing printer";
constexpr DWORD kJobId = 42;

class JobControl : public JobBed {
 protected:
  // One job on the port; false when StartDocPort refused it.
  bool RunJob(const wchar_t* printer) {
    HANDLE port = spooler_.OpenPort(L"CORVALE1:");
    SetLastError(kErrorSentinel);
    startResult_ = spooler_.StartDoc(port, printer, kJobId, L"Doc");
    startError_ = GetLastError();
    if (startResult_) {
      EXPECT_TRUE(spooler_.Write(port, "%!PS\n"));
      EXPECT_TRUE(spooler_.EndDoc(port));
    }
    EXPECT_TRUE(spooler_.ClosePort(port));
    return startResult_;
  }
  std::vector<DWORD> Commands() const {
    std::vector<DWORD> commands;
    for (const JobControlCall& call : recorder_.Calls()) {
      EXPECT_EQ(call.printer, kPrinter);
      EXPECT_EQ(call.jobId, kJobId);
      commands.push_back(call.command);
    }
    return commands;
  }
  // The error of creating a file of the empty name: a job without a work area.
  static DWORD EmptyNameError() {
    SetLastError(0);
    CreateFileW(L"", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    return GetLastError();
  }
  void BlockWorkArea() {
    WriteFileBytes(scratch_ / L"blocker", "");
    temp_.Set(scratch_ / L"blocker");  // a file where the work area should be
  }

  LoadedMonitor monitor_{{L"CORVALE1:"}};
  const SpoolerStandIn& spooler_ = monitor_.Spooler();
  JobControlRecorder recorder_{spooler_.Module()};
  BOOL startResult_ = FALSE;
  DWORD startError_ = 0;
};

enum class Fault { kNone, kNoConverter, kNoProgram, kNoAppFolder, kNoWorkArea, kWrite, kFlush };

struct JobCase {
  const char* name;
  Fault fault;
  bool debugMarker;
  const wchar_t* printer;
  bool started;
  std::vector<DWORD> commands;
  size_t converterStarts;
  bool spoolFileKept;
  const char* logged;  // a part of port.log
};

constexpr DWORD kRestart = JOB_CONTROL_RESTART, kPause = JOB_CONTROL_PAUSE,
                kDelete = JOB_CONTROL_DELETE;
// The job's owner, as GetJobW gives it.
constexpr char kOwnerLogged[] =
    "[MyStartDocPort] Printer Job - Machine Name: PC-7\r\n"
    "[MyStartDocPort] Printer Job - User Name: alice\r\n";
constexpr char kWriteLogged[] =
    "[EndDocPort] Spool file incomplete, the job stays in the queue: Write failed, Error=112\r\n"
    "[EndDocPort] Remove PS file: ";

// clang-format off
const JobCase kJobCases[] = {
    {"finished job is deleted", Fault::kNone, false, kPrinter, true, {kDelete}, 1, true, kOwnerLogged},
    {"missing converter keeps the job", Fault::kNoConverter, false, kPrinter, true, {kRestart, kPause}, 0, false, ""},
    {"converter that is no program keeps the job", Fault::kNoProgram, false, kPrinter, true, {kRestart, kPause}, 0, false, ""},
    {"no AppFolder keeps the job", Fault::kNoAppFolder, false, kPrinter, true, {kRestart, kPause}, 0, false, ""},
    {"spool file not creatable fails the start", Fault::kNoWorkArea, false, kPrinter, false, {kRestart, kPause}, 0, false, ""},
    {"spool file not creatable, printer not openable", Fault::kNoWorkArea, false, kMissingPrinter, false, {}, 0, false, ""},
    {"failed write starts no converter", Fault::kWrite, false, kPrinter, true, {kRestart, kPause}, 0, false, kWriteLogged},
    {"failed flush starts no converter", Fault::kFlush, false, kPrinter, true, {kRestart, kPause}, 0, false, "Flush failed, Error=112\r\n"},
    {"failed write with debug marker keeps the partial file", Fault::kWrite, true, kPrinter, true, {kRestart, kPause}, 0, true, ""},
};
// clang-format on

TEST_F(JobControl, EachOutcomeLeavesTheJobInTheQueueOrDeletesIt) {
  ASSERT_TRUE(recorder_.Applied());
  recorder_.SetJobOwner(L"PC-7", L"alice");
  const std::wstring converter = AppFolder() + L"\\gui.exe";
  const DWORD creationError = EmptyNameError();
  for (const JobCase& c : kJobCases) {
    SCOPED_TRACE(c.name);
    // clang-format off
    switch (c.fault) {
      case Fault::kNone: break;
      case Fault::kNoConverter: DeleteFileW(converter.c_str()); break;
      case Fault::kNoProgram: WriteFileBytes(converter, "no program"); break;
      case Fault::kNoAppFolder: appFolder_.Remove(); break;
      case Fault::kNoWorkArea: BlockWorkArea(); break;
      case Fault::kWrite: recorder_.FailWrites(ERROR_DISK_FULL); break;
      case Fault::kFlush: recorder_.FailFlushes(ERROR_DISK_FULL); break;
    }
    // clang-format on
    if (c.debugMarker) WriteFileBytes(AppFolder() + L"\\debug.txt", "");
    RunJob(c.printer);
    EXPECT_EQ(startResult_ != FALSE, c.started);
    if (!c.started) {
      EXPECT_EQ(startError_, creationError);
    }
    EXPECT_EQ(Commands(), c.commands);
    EXPECT_EQ(recorder_.OpenPrinters(), 0);
    EXPECT_EQ(WaitForConverterCalls(AppFolder(), c.converterStarts, 10000).size(),
              c.converterStarts);
    if (c.started) {
      EXPECT_EQ(PathExists(SpoolFile(LoggedSessionIds().at(0))), c.spoolFileKept);
    }
    EXPECT_NE(Log().find(c.logged), std::string::npos) << Log();

    // A working bed again for the next case.
    recorder_.FailWrites(0);
    recorder_.FailFlushes(0);
    recorder_.ClearCalls();
    temp_.Set(scratch_ / L"temp");
    appFolder_.Set(AppFolder());
    DeleteFileW((AppFolder() + L"\\debug.txt").c_str());
    EXPECT_TRUE(InstallFakeConverter(AppFolder()));
    for (const std::wstring& name : ListFiles(AppFolder(), L"call-*.rec")) {
      DeleteFileW((AppFolder() + L"\\" + name).c_str());
    }
  }
}

// In a process whose window station is not visible (a service), no message box
// is shown: the message goes to the printing user's session, not waited for,
// and into port.log.
struct SentMessage {
  DWORD sessionId;
  std::wstring caption, text;
  DWORD style;
  BOOL wait;
};
std::vector<SentMessage> g_sent;

BOOL WINAPI HiddenStationFlags(HANDLE, int index, PVOID info, DWORD size, LPDWORD needed) {
  if (index != UOI_FLAGS || size < sizeof(USEROBJECTFLAGS)) return FALSE;
  *static_cast<USEROBJECTFLAGS*>(info) = USEROBJECTFLAGS{FALSE, FALSE, 0};
  if (needed) *needed = sizeof(USEROBJECTFLAGS);
  return TRUE;
}

BOOL WINAPI SessionZero(DWORD, DWORD* sessionId) {
  *sessionId = 0;
  return TRUE;
}

BOOL WINAPI RecordSessionMessage(HANDLE, DWORD sessionId, LPWSTR caption, DWORD captionBytes,
                                 LPWSTR text, DWORD textBytes, DWORD style, DWORD, DWORD* response,
                                 BOOL wait) {
  g_sent.push_back({sessionId, std::wstring(caption, captionBytes / sizeof(wchar_t)),
                    std::wstring(text, textBytes / sizeof(wchar_t)), style, wait});
  *response = IDASYNC;
  return TRUE;
}

TEST_F(JobControl, InAServiceMessagesGoToTheUsersSessionAndTheLog) {
  g_sent.clear();
  ImportPatch station(spooler_.Module(), "user32.dll", "GetUserObjectInformationW",
                      reinterpret_cast<const void*>(&HiddenStationFlags));
  ImportPatch sink(spooler_.Module(), "wtsapi32.dll", "WTSSendMessageW",
                   reinterpret_cast<const void*>(&RecordSessionMessage));
  ASSERT_TRUE(station.Applied() && sink.Applied());
  BlockWorkArea();
  EXPECT_FALSE(RunJob(kPrinter));
  const std::wstring workArea = scratch_ / L"blocker\\Quillmar\\PDF Writer\\";
  ASSERT_EQ(g_sent.size(), 1u);
  EXPECT_EQ(g_sent[0].caption, L"PDF Printer - Unable to create working area");
  EXPECT_EQ(g_sent[0].text, workArea);
  EXPECT_EQ(g_sent[0].style, static_cast<DWORD>(MB_OK));
  EXPECT_FALSE(g_sent[0].wait);
  DWORD processSession = 0;
  ProcessIdToSessionId(GetCurrentProcessId(), &processSession);
  EXPECT_EQ(g_sent[0].sessionId, processSession);
  const std::string narrowArea(workArea.begin(), workArea.end());
  EXPECT_NE(Log().find("[ShowUserMessage] PDF Printer - Unable to create working area: " +
                       narrowArea + "\r\n"),
            std::string::npos);
  Sleep(300);
  EXPECT_EQ(boxes_.Count(), 0u);
}

// Session 0, where services run: no box either, whatever its window station says.
TEST_F(JobControl, InSessionZeroMessagesGoToTheUsersSessionEvenOnAVisibleStation) {
  g_sent.clear();
  ImportPatch session(spooler_.Module(), "kernel32.dll", "ProcessIdToSessionId",
                      reinterpret_cast<const void*>(&SessionZero));
  ImportPatch sink(spooler_.Module(), "wtsapi32.dll", "WTSSendMessageW",
                   reinterpret_cast<const void*>(&RecordSessionMessage));
  ASSERT_TRUE(session.Applied() && sink.Applied());
  BlockWorkArea();
  EXPECT_FALSE(RunJob(kPrinter));
  ASSERT_EQ(g_sent.size(), 1u);
  EXPECT_EQ(g_sent[0].caption, L"PDF Printer - Unable to create working area");
  EXPECT_FALSE(g_sent[0].wait);
  Sleep(300);
  EXPECT_EQ(boxes_.Count(), 0u);
}

// A job ended by a thread that impersonates nobody in a service account's
// process: as that account nothing of the user's work area is touched (a
// junction there would move the log and the deletes). The spool file stays,
// the job stays queued, and the caller's own log says why.
BOOL WINAPI NoThreadToken(HANDLE, DWORD, BOOL, PHANDLE) {
  SetLastError(ERROR_NO_TOKEN);
  return FALSE;
}

BOOL WINAPI SystemAsTokenUser(HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID info, DWORD size,
                              PDWORD needed) {
  if (kind != TokenUser) return GetTokenInformation(token, kind, info, size, needed);
  DWORD sidSize = SECURITY_MAX_SID_SIZE;
  alignas(SID) BYTE system[SECURITY_MAX_SID_SIZE];
  CreateWellKnownSid(WinLocalSystemSid, nullptr, system, &sidSize);
  *needed = sizeof(TOKEN_USER) + sidSize;
  if (size < *needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  auto* user = static_cast<TOKEN_USER*>(info);
  user->User = {static_cast<BYTE*>(info) + sizeof(TOKEN_USER), 0};
  CopySid(sidSize, user->User.Sid, system);
  return TRUE;
}

TEST_F(JobControl, EndedAsAServiceAccountWithoutAUserTheJobStaysQueuedAndItsFilesUntouched) {
  HANDLE port = spooler_.OpenPort(L"CORVALE1:");
  ASSERT_TRUE(spooler_.StartDoc(port, kPrinter, kJobId, L"Doc"));
  ASSERT_TRUE(spooler_.Write(port, "%!PS\n"));
  const std::wstring spool = SpoolFile(LoggedSessionIds().at(0));
  const std::string jobLog = Log();
  {
    ImportPatch noToken(spooler_.Module(), "advapi32.dll", "OpenThreadToken",
                        reinterpret_cast<const void*>(&NoThreadToken));
    ImportPatch system(spooler_.Module(), "advapi32.dll", "GetTokenInformation",
                       reinterpret_cast<const void*>(&SystemAsTokenUser));
    ASSERT_TRUE(noToken.Applied() && system.Applied());
    SetLastError(kErrorSentinel);
    EXPECT_FALSE(spooler_.EndDoc(port));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  }
  EXPECT_TRUE(spooler_.ClosePort(port));
  EXPECT_EQ(Commands(), (std::vector<DWORD>{kRestart, kPause}));
  EXPECT_EQ(ReadFileBytes(spool), "%!PS\n");
  EXPECT_EQ(Log(), jobLog);
  EXPECT_TRUE(WaitForConverterCalls(AppFolder(), 1, 1000).empty());
  const std::string serviceLog = ReadFileBytes(LogFolder() + L"\\port-S-1-5-18.log");
  EXPECT_NE(serviceLog.find("[EndDocPort] No printing user to end the job as, the job stays in "
                            "the queue: "),
            std::string::npos)
      << serviceLog;
}

}  // namespace
