// The ports the monitor serves: one record per port in a singly linked list that
// ends in a sentinel, kept in the registry as numbered values "1", "2", ...
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "log_file.h"
#include "port_info_buffer.h"
#include "unique_resource.h"

// The job data of the document in progress on one port (kept per port, so that
// jobs on different ports never mix).
struct JobContext {
  std::wstring sessionId;     // names the spool file, passed to the converter
  std::wstring documentName;  // at most 999 code units; kept from the previous job when none given
  std::wstring printerName;   // at most 999 code units
  LogTarget log;              // the job's "port.log", set at its start
};

// State flags of a port record.
inline constexpr DWORD kDocumentInProgress = 0x1;
inline constexpr DWORD kPortOpen = 0x2;

struct PortRecord {
  std::wstring portName;
  std::wstring spoolFilePath;  // while a document is in progress
  DWORD stateFlags = 0;
  UniqueFileHandle spoolFile;  // open spool file while a document is in progress, else empty
  DWORD writeError = 0;        // the first failed write of the document in progress, else 0
  std::wstring printerName;    // printer of the current document (at most 259 code units)
  DWORD jobId = 0;
  PortRecord* next = nullptr;  // null only in the sentinel
  JobContext job;
};

class PortList {
 public:
  // Null texts count as empty.
  PortList(const wchar_t* monitorName, const wchar_t* portDescription);
  virtual ~PortList();
  PortList(const PortList&) = delete;
  PortList& operator=(const PortList&) = delete;

  // Adds one record per numbered value under HKEY_LOCAL_MACHINE\<root>, up to the
  // first missing or unreadable number. A missing key leaves the list unchanged.
  void Load(const wchar_t* root);
  // Rewrites the numbered values from the list: the head gets the highest number.
  // Returns ERROR_SUCCESS or the registry's error of the first step that failed.
  LONG Save(const wchar_t* root) const;
  // Pushes a new record at the head.
  bool Add(const wchar_t* name, DWORD flags);
  // First record whose name matches (A-Z folded), or null.
  PortRecord* Find(const wchar_t* name) const;
  // Unlinks and frees the first matching record.
  bool Remove(const wchar_t* name);
  // Unlinks the first matching record and hands it out with its position
  // (0 for the head); null when there is none.
  std::unique_ptr<PortRecord> Detach(const wchar_t* name, size_t* position);
  // Links a detached record back in at its former position.
  void Reattach(std::unique_ptr<PortRecord> record, size_t position);
  // Number of real records (the sentinel excluded).
  DWORD Count() const;
  // The body of EnumPorts (the layout is FillPortBuffer's); sets the last error
  // when it fails.
  BOOL Enum(DWORD level, LPBYTE ports, DWORD bufferSize, LPDWORD needed, LPDWORD returned) const;

  PortRecord* Head() const { return head_; }

 private:
  PortRecord* head_ = nullptr;
  std::wstring portDescription_;
  std::wstring monitorName_;
};
