// The progress of a long conversion: when it has run for kProgressDelayMs, a
// small window shows the document's name and the pages that Ghostscript has
// done, with a "Cancel" button, until the conversion ends. Nothing is shown
// for a shorter one, nor where nobody can see it. user32 is loaded only when
// the window is to be shown (on_demand_ui.h).
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "page_report.h"
#include "program_runner.h"
#include "unique_resource.h"

inline constexpr unsigned long kProgressDelayMs = 2000;

class ConversionProgress {
 public:
  explicit ConversionProgress(std::wstring documentName);
  // Closes the window: the conversion has ended.
  ~ConversionProgress();
  ConversionProgress(const ConversionProgress&) = delete;
  ConversionProgress& operator=(const ConversionProgress&) = delete;

  // Ghostscript's output goes here, and the window's "Cancel" sets its event.
  const RunWatch& Watch() const { return watch_; }

 private:
  void ShowWhenLong();

  std::wstring documentName_;
  UniqueHandle ended_;   // set when the conversion ends
  UniqueHandle cancel_;  // set by "Cancel"
  PageReport report_;    // fed on the output's thread only
  std::atomic<int> pagesDone_{0};
  RunWatch watch_;
  std::thread window_;
};
