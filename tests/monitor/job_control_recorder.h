// Makes the monitor's job control observable: its imports of OpenPrinterW,
// GetJobW, SetJobW and ClosePrinter are replaced by recording stand-ins (Wine's
// spooler passes no printer name and its SetJobW does nothing). Printers whose
// name starts with "Missing" cannot be opened. The monitor's own WriteFile and
// FlushFileBuffers of spool files can be made to fail (its log is written
// whatever happens).
#pragma once

#include <windows.h>
#include <winspool.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "import_patch.h"

struct JobControlCall {
  std::wstring printer;
  DWORD jobId;
  DWORD command;
  bool operator==(const JobControlCall&) const = default;
};

class JobControlRecorder {
 public:
  explicit JobControlRecorder(HMODULE monitor) {
    Reset();
    const struct {
      const char* dll;
      const char* function;
      const void* replacement;
    } patches[] = {
        {"winspool.drv", "OpenPrinterW", reinterpret_cast<const void*>(&FakeOpenPrinter)},
        {"winspool.drv", "GetJobW", reinterpret_cast<const void*>(&FakeGetJob)},
        {"winspool.drv", "SetJobW", reinterpret_cast<const void*>(&FakeSetJob)},
        {"winspool.drv", "ClosePrinter", reinterpret_cast<const void*>(&FakeClosePrinter)},
        {"kernel32.dll", "WriteFile", reinterpret_cast<const void*>(&MaybeFailingWrite)},
        {"kernel32.dll", "FlushFileBuffers", reinterpret_cast<const void*>(&MaybeFailingFlush)},
    };
    for (const auto& p : patches) {
      patches_.push_back(std::make_unique<ImportPatch>(monitor, p.dll, p.function, p.replacement));
    }
  }

  bool Applied() const {
    for (const auto& patch : patches_) {
      if (!patch->Applied()) return false;
    }
    return true;
  }

  std::vector<JobControlCall> Calls() const {
    std::lock_guard lock(State().mutex);
    return State().calls;
  }
  // Printers opened and not yet closed.
  int OpenPrinters() const {
    std::lock_guard lock(State().mutex);
    return State().openPrinters;
  }
  void SetJobOwner(const std::wstring& machine, const std::wstring& user) {
    std::lock_guard lock(State().mutex);
    State().machine = machine;
    State().user = user;
  }
  void ClearCalls() {
    std::lock_guard lock(State().mutex);
    State().calls.clear();
  }
  void FailWrites(DWORD error) { State().writeError = error; }
  void FailFlushes(DWORD error) { State().flushError = error; }

 private:
  struct Shared {
    std::mutex mutex;
    std::vector<JobControlCall> calls;
    std::vector<std::wstring> printers;  // index + 1 is the handle
    int openPrinters = 0;
    std::wstring machine, user;
    std::atomic<DWORD> writeError = 0, flushError = 0;
  };
  static Shared& State() {
    static Shared shared;
    return shared;
  }
  static void Reset() {
    std::lock_guard lock(State().mutex);
    State().calls.clear();
    State().printers.clear();
    State().openPrinters = 0;
    State().machine.clear();
    State().user.clear();
    State().writeError = 0;
    State().flushError = 0;
  }

  static BOOL WINAPI FakeOpenPrinter(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW) {
    std::lock_guard lock(State().mutex);
    if (!name || std::wstring(name).starts_with(L"Missing")) {
      SetLastError(ERROR_INVALID_PRINTER_NAME);
      return FALSE;
    }
    State().printers.emplace_back(name);
    ++State().openPrinters;
    *printer = reinterpret_cast<HANDLE>(State().printers.size());
    return TRUE;
  }
  static BOOL WINAPI FakeGetJob(HANDLE, DWORD, DWORD level, LPBYTE buffer, DWORD size,
                                LPDWORD needed) {
    std::lock_guard lock(State().mutex);
    const std::wstring& machine = State().machine;
    const std::wstring& user = State().user;
    const DWORD bytes = static_cast<DWORD>(sizeof(JOB_INFO_1W) +
                                           (machine.size() + user.size() + 2) * sizeof(wchar_t));
    *needed = bytes;
    if (level != 1 || size < bytes) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return FALSE;
    }
    auto* info = reinterpret_cast<JOB_INFO_1W*>(buffer);
    auto* text = reinterpret_cast<wchar_t*>(info + 1);
    std::memcpy(text, machine.c_str(), (machine.size() + 1) * sizeof(wchar_t));
    info->pMachineName = text;
    text += machine.size() + 1;
    std::memcpy(text, user.c_str(), (user.size() + 1) * sizeof(wchar_t));
    info->pUserName = text;
    return TRUE;
  }
  static BOOL WINAPI FakeSetJob(HANDLE printer, DWORD jobId, DWORD, LPBYTE, DWORD command) {
    std::lock_guard lock(State().mutex);
    const size_t index = reinterpret_cast<size_t>(printer) - 1;
    State().calls.push_back({State().printers.at(index), jobId, command});
    return TRUE;
  }
  static BOOL WINAPI FakeClosePrinter(HANDLE) {
    std::lock_guard lock(State().mutex);
    --State().openPrinters;
    return TRUE;
  }
  static bool IsSpoolFile(HANDLE file) {
    wchar_t path[2 * MAX_PATH];
    const DWORD length = GetFinalPathNameByHandleW(file, path, std::size(path), 0);
    return length > 0 && length < std::size(path) &&
           std::wstring_view(path, length).ends_with(L"_printer.ps");
  }
  static BOOL WINAPI MaybeFailingWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                                       LPOVERLAPPED overlapped) {
    if (const DWORD error = State().writeError; error && IsSpoolFile(file)) {
      SetLastError(error);
      return FALSE;
    }
    return WriteFile(file, data, size, written, overlapped);
  }
  static BOOL WINAPI MaybeFailingFlush(HANDLE file) {
    if (const DWORD error = State().flushError) {
      SetLastError(error);
      return FALSE;
    }
    return FlushFileBuffers(file);
  }

  std::vector<std::unique_ptr<ImportPatch>> patches_;
};
