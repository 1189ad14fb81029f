// A spooler stand-in for tests: loads the built monitor library, calls
// InitializePrintMonitor with a registry root and drives the table entries the
// way the spooler does.
#pragma once

#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <string>
#include <vector>

// A key HKEY_LOCAL_MACHINE\SOFTWARE\CorvaleTests\<name> holding the numbered
// port values "1", "2", ... (first name gets "1"); removed with its content at
// the end.
class PortRegistryKey {
 public:
  PortRegistryKey(const std::wstring& name, const std::vector<std::wstring>& ports);
  ~PortRegistryKey();
  PortRegistryKey(const PortRegistryKey&) = delete;
  PortRegistryKey& operator=(const PortRegistryKey&) = delete;

  // The root as InitializePrintMonitor receives it (relative to HKEY_LOCAL_MACHINE).
  const std::wstring& Root() const { return root_; }
  // The names and texts of all values of the key, as stored.
  std::vector<std::pair<std::wstring, std::wstring>> Values() const;
  void SetValue(const std::wstring& name, const std::wstring& text) const;

 private:
  std::wstring root_;
};

class SpoolerStandIn {
 public:
  using WaitForOutputFunction = BOOL(WINAPI*)(LPCSTR, DWORD);

  // Loads the library (freed at the end).
  explicit SpoolerStandIn(const std::wstring& libraryPath);
  ~SpoolerStandIn();
  SpoolerStandIn(const SpoolerStandIn&) = delete;
  SpoolerStandIn& operator=(const SpoolerStandIn&) = delete;

  bool Loaded() const { return library_ != nullptr; }
  HMODULE Module() const { return library_; }
  // Calls InitializePrintMonitor; the table is kept for the calls below.
  const MONITOREX* Initialize(const std::wstring& registryRoot);
  const MONITOR& Table() const { return table_->Monitor; }
  WaitForOutputFunction WaitForOutput() const;

  // Port names listed by EnumPorts at the level, in the order given.
  std::vector<std::wstring> PortNames(DWORD level = 1) const;
  // OpenPort; null when it fails.
  HANDLE OpenPort(const std::wstring& name) const;
  BOOL StartDoc(HANDLE port, const std::wstring& printer, DWORD jobId,
                const std::wstring& documentName) const;
  BOOL Write(HANDLE port, const std::string& bytes, DWORD* written = nullptr) const;
  BOOL EndDoc(HANDLE port) const;
  BOOL ClosePort(HANDLE port) const;
  // Open, start, the writes, end and close, as the spooler runs one job.
  bool PrintJob(const std::wstring& port, const std::wstring& printer, DWORD jobId,
                const std::wstring& documentName, const std::vector<std::string>& writes) const;

 private:
  HMODULE library_ = nullptr;
  const MONITOREX* table_ = nullptr;
};
