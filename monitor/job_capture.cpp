#include "job_capture.h"

#include <winspool.h>

#include <optional>
#include <string>
#include <utility>

#include "converter_launch.h"
#include "debug_log.h"
#include "debug_marker.h"
#include "entry_boundary.h"
#include "file_utilities.h"
#include "monitor_state.h"
#include "service_context.h"
#include "spool_names.h"
#include "text_rules.h"
#include "unique_printer.h"
#include "user_environment.h"

namespace {

constexpr wchar_t kSource[] = L"MyStartDocPort";
constexpr wchar_t kEndSource[] = L"EndDocPort";
constexpr size_t kMaxJobNameUnits = 999;
constexpr size_t kMaxRecordPrinterUnits = 259;
constexpr size_t kMaxJobDetailUnits = 99;
constexpr DWORD kJobInfoBufferBytes = 4096;

// The named printer, or nothing; an empty name names no printer.
UniquePrinter OpenNamedPrinter(const std::wstring& printerName) {
  UniquePrinter printer;
  if (printerName.empty() ||
      !OpenPrinterW(const_cast<LPWSTR>(printerName.c_str()), printer.put(), nullptr)) {
    printer.reset();
  }
  return printer;
}

// Sends the job control codes in order; false when the printer cannot be opened.
bool ControlJob(const std::wstring& printerName, DWORD jobId, std::initializer_list<DWORD> codes) {
  UniquePrinter printer = OpenNamedPrinter(printerName);
  if (!printer) return false;
  for (DWORD code : codes) SetJobW(printer.get(), jobId, 0, nullptr, code);
  return true;
}

struct JobDetails {
  std::wstring machineName;
  std::wstring userName;
};

JobDetails ReadJobDetails(const std::wstring& printerName, DWORD jobId) {
  JobDetails details;
  UniquePrinter printer = OpenNamedPrinter(printerName);
  if (!printer) return details;
  alignas(JOB_INFO_1W) BYTE buffer[kJobInfoBufferBytes] = {};
  DWORD needed = 0;
  if (GetJobW(printer.get(), jobId, 1, buffer, sizeof(buffer), &needed)) {
    const auto* info = reinterpret_cast<const JOB_INFO_1W*>(buffer);
    details.machineName = CappedText(info->pMachineName, kMaxJobDetailUnits);
    details.userName = CappedText(info->pUserName, kMaxJobDetailUnits);
  }
  return details;
}

// The document name of DOC_INFO_1W, 2W or 3W (the first member of each).
const wchar_t* DocumentNameOf(DWORD level, LPBYTE docInfo) {
  if (!docInfo || level < 1 || level > 3) return nullptr;
  return reinterpret_cast<const DOC_INFO_1W*>(docInfo)->pDocName;
}

// Leaves the job in the queue until the cause is mended and it is resumed.
void RestartAndPause(const std::wstring& printerName, DWORD jobId) {
  ControlJob(printerName, jobId, {JOB_CONTROL_RESTART, JOB_CONTROL_PAUSE});
}

EntryResult StartDocument(PortRecord& port, const wchar_t* printerName, DWORD jobId, DWORD level,
                          LPBYTE docInfo) {
  MonitorLock lock;
  if (port.stateFlags & kDocumentInProgress) return Failed(ERROR_BUSY);
  // Nothing may be made in the places of the service's own account; the job
  // waits in the queue.
  if (RunsAsServiceAccountWithoutUser()) return Failed(ERROR_ACCESS_DENIED);

  JobContext& job = port.job;
  WorkAreaOfCall workArea;
  job.sessionId = NewSessionId();
  job.log = JobLogFile(workArea);
  const JobLogScope log(job.log);
  DebugLog(kSource, L"Start Doc", nullptr, true);
  DebugLog(kSource, L"Session Id", job.sessionId);
  DebugLog(kSource, L"Printer Name", printerName ? printerName : L"");
  const std::wstring printer = CappedText(printerName, kMaxJobNameUnits);

  job.printerName = printer;
  if (level >= 1 && level <= 3 && docInfo) {
    job.documentName = CappedText(DocumentNameOf(level, docInfo), kMaxJobNameUnits);
  }
  DebugLog(kSource, L"DocumentName", job.documentName);

  const JobDetails details = ReadJobDetails(printer, jobId);
  DebugLog(kSource, L"Printer Job - Machine Name", details.machineName);
  DebugLog(kSource, L"Printer Job - User Name", details.userName);

  const std::wstring spoolPath = GetSpoolFileName(job.sessionId, workArea).value_or(L"");
  DebugLog(kSource, L"Postscript file name", spoolPath);
  UniqueFileHandle file(CreateSpoolFile(spoolPath));
  if (!file) {
    const DWORD error = GetLastError();
    RestartAndPause(printer, jobId);
    return Failed(error);
  }
  port.spoolFile = std::move(file);
  port.writeError = ERROR_SUCCESS;
  port.spoolFilePath = spoolPath;
  port.printerName = printer.substr(0, kMaxRecordPrinterUnits);
  port.stateFlags |= kDocumentInProgress;
  port.jobId = jobId;
  return Succeeded();
}

EntryResult WriteDocument(PortRecord& port, LPBYTE buffer, DWORD size, LPDWORD written) {
  if (!port.spoolFile) {
    if (written) *written = size;
    return Succeeded();
  }
  BOOL ok;
  {
    MonitorLock lock;
    DWORD ignored = 0;
    ok = WriteFile(port.spoolFile.get(), buffer, size, written ? written : &ignored, nullptr);
    if (!ok && port.writeError == ERROR_SUCCESS) port.writeError = GetLastError();
  }
  if (!ok) RestartAndPause(port.printerName, port.jobId);
  return Succeeded();
}

// Why a spool file is not whole: a failed write, flush or close (0 when it is).
DWORD FinishSpoolFile(UniqueFileHandle file, DWORD writeError, const wchar_t** step) {
  *step = L"Write failed";
  if (writeError != ERROR_SUCCESS) return writeError;
  *step = L"Flush failed";
  if (!FlushFileBuffers(file.get())) return GetLastError();
  *step = L"Close failed";
  if (!CloseHandle(file.release())) return GetLastError();
  return ERROR_SUCCESS;
}

// A spool file that is not whole is never converted: the job stays in the
// queue and the partial file goes unless the debug marker keeps it.
void KeepIncompleteJob(const PortRecord& port, const std::wstring& spoolPath, const wchar_t* step,
                       DWORD error, bool pausedAlready) {
  DebugLog(kEndSource, L"Spool file incomplete, the job stays in the queue",
           std::wstring(step) + L", Error=" + std::to_wstring(error));
  RemoveSpoolFileUnlessDebug(kEndSource, spoolPath);
  if (!pausedAlready) RestartAndPause(port.printerName, port.jobId);
}

// Called without a user in a service account's process, the end of a job
// touches nothing of the work area: as that account, a junction planted there
// by the user would send the log, the deletes and the converter's input
// elsewhere. The spool file stays as it is, the job stays in the queue, and
// why goes into the caller's own log in "LogFolder", never the job's.
EntryResult KeepJobOfNoUser(PortRecord& port) {
  port.spoolFile.reset();
  const std::wstring spoolPath = std::exchange(port.spoolFilePath, std::wstring());
  port.writeError = ERROR_SUCCESS;
  port.stateFlags &= ~kDocumentInProgress;
  DebugLog(kEndSource, L"No printing user to end the job as, the job stays in the queue",
           spoolPath);
  RestartAndPause(port.printerName, port.jobId);
  return Failed(ERROR_ACCESS_DENIED);
}

EntryResult EndDocument(PortRecord& port) {
  MonitorLock lock;
  if (!port.spoolFile) return Succeeded();
  if (RunsAsServiceAccountWithoutUser()) return KeepJobOfNoUser(port);
  const JobLogScope log(port.job.log);
  // The record is idle from here on, whatever fails below.
  UniqueFileHandle file = std::move(port.spoolFile);
  const std::wstring spoolPath = std::exchange(port.spoolFilePath, std::wstring());
  const DWORD writeError = std::exchange(port.writeError, ERROR_SUCCESS);
  port.stateFlags &= ~kDocumentInProgress;

  const wchar_t* failedStep = nullptr;
  if (const DWORD error = FinishSpoolFile(std::move(file), writeError, &failedStep)) {
    KeepIncompleteJob(port, spoolPath, failedStep, error, writeError != ERROR_SUCCESS);
    return Succeeded();
  }
  const BOOL started = MakePDF(port.job, spoolPath);
  if (Monitor().event) PulseEvent(Monitor().event);
  if (started) {
    ControlJob(port.printerName, port.jobId, {JOB_CONTROL_DELETE});
  } else {
    RestartAndPause(port.printerName, port.jobId);  // the queue keeps the document
  }
  return Succeeded();
}

}  // namespace

HANDLE CreateSpoolFile(const std::wstring& path) {
  if (!path.empty() && FileExists(path)) DeleteFileW(path.c_str());
  return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

BOOL WINAPI MyStartDocPort(HANDLE hPort, LPWSTR pPrinterName, DWORD JobId, DWORD Level,
                           LPBYTE pDocInfo) {
  return RunEntry([&] {
    if (!hPort) return Failed(ERROR_INVALID_HANDLE);
    return StartDocument(*static_cast<PortRecord*>(hPort), pPrinterName, JobId, Level, pDocInfo);
  });
}

BOOL WINAPI MonWritePort(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuf, LPDWORD pcbWritten) {
  return RunEntry([&] {
    if (!hPort) return Failed(ERROR_INVALID_HANDLE);
    return WriteDocument(*static_cast<PortRecord*>(hPort), pBuffer, cbBuf, pcbWritten);
  });
}

BOOL WINAPI MonEndDocPort(HANDLE hPort) {
  return RunEntry([&] {
    if (!hPort) return Failed(ERROR_INVALID_HANDLE);
    return EndDocument(*static_cast<PortRecord*>(hPort));
  });
}
