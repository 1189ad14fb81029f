#include "job_capture.h"

#include <winspool.h>

#include <optional>
#include <string>

#include "converter_launch.h"
#include "debug_log.h"
#include "entry_boundary.h"
#include "file_utilities.h"
#include "monitor_state.h"
#include "spool_names.h"
#include "text_rules.h"
#include "unique_printer.h"

namespace {

constexpr wchar_t kSource[] = L"MyStartDocPort";
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

EntryResult StartDocument(PortRecord& port, const wchar_t* printerName, DWORD jobId, DWORD level,
                          LPBYTE docInfo) {
  MonitorLock lock;
  if (port.stateFlags & kDocumentInProgress) return Failed(ERROR_BUSY);

  JobContext& job = port.job;
  job.sessionId = NewSessionId();
  SetLogFile();
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

  const std::wstring spoolPath = GetSpoolFileName(job.sessionId).value_or(L"");
  DebugLog(kSource, L"Postscript file name", spoolPath);
  HANDLE file = CreateSpoolFile(spoolPath);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    port.spoolFile = nullptr;
    if (ControlJob(printer, jobId, {JOB_CONTROL_RESTART, JOB_CONTROL_PAUSE})) return Failed(error);
    return Succeeded();
  }
  port.spoolFile = file;
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
    ok = WriteFile(port.spoolFile, buffer, size, written ? written : &ignored, nullptr);
  }
  if (!ok) ControlJob(port.printerName, port.jobId, {JOB_CONTROL_RESTART, JOB_CONTROL_PAUSE});
  return Succeeded();
}

EntryResult EndDocument(PortRecord& port) {
  MonitorLock lock;
  if (!port.spoolFile) return Succeeded();
  FlushFileBuffers(port.spoolFile);
  CloseHandle(port.spoolFile);
  MakePDF(port.job);
  if (Monitor().event) PulseEvent(Monitor().event);
  port.spoolFilePath.clear();
  port.stateFlags &= ~kDocumentInProgress;
  port.spoolFile = nullptr;
  ControlJob(port.printerName, port.jobId, {JOB_CONTROL_DELETE});
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
