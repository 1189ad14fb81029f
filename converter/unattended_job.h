// Jobs that nobody can answer: whether a user can see the converter's windows
// at all, and where such a job is saved without asking. Pure rules, without a
// platform header; on_demand_ui.cpp reads the facts they take.
#pragma once

#include <optional>
#include <string>

#include "output_format.h"
#include "output_name.h"

// Where the converter's process runs, as the system reports it.
struct DisplayFacts {
  std::optional<unsigned long> sessionId;  // the process's terminal session; nothing when unknown
  std::wstring windowStation;              // the process's window station; empty when unknown
  unsigned long windowStationFlags = 0;    // its UOI_FLAGS
  std::wstring desktop;                    // the thread's desktop; empty when unknown
};

// True when a user can see and answer a window of the process: a session other
// than 0 (services and jobs that came through a print server from another
// machine run there, where nobody ever looks), the interactive window station
// "WinSta0" marked visible, and a desktop other than the secure ones
// ("Winlogon", "Screen-saver", "Disconnect"). Unknown facts count as "nobody":
// a box or dialog that nobody answers holds the job for good.
bool SomeoneCanSeeWindows(const DisplayFacts& facts);

// The subfolder of the user's Documents folder that takes the jobs that nobody
// can be asked about.
inline constexpr wchar_t kUnattendedSubfolder[] = L"PDF Writer";

// The file of such a job: `documentsFolder`\PDF Writer\ and the default name
// template "<title>" with the format's extension. Nothing when that gives no
// usable path (see IsUsableOutputPath).
std::optional<std::wstring> UnattendedOutputPath(const std::wstring& documentsFolder,
                                                 const TemplateValues& names,
                                                 const OutputFormat& format);
