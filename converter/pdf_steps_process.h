// The PDF steps in a process of their own: the converter's own program,
// started again in its PDF-steps mode, inside a Job object that limits its
// memory and ends it with the converter. A crafted file that makes qpdf
// recurse until its stack overflows, allocate without end or run for ever
// ends that process only: the job fails with a message, the converter goes on.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "pdf_steps_request.h"

// The most private memory the process may use, and the longest it may run.
// A normal job's steps use a few MiB and take well under a second.
#ifdef _WIN64
inline constexpr std::size_t kPdfStepsMemoryLimit = std::size_t{1024} << 20;
#else
inline constexpr std::size_t kPdfStepsMemoryLimit = std::size_t{512} << 20;
#endif
inline constexpr unsigned long kPdfStepsTimeLimitMs = 120 * 1000;

// The parameter that starts a program in the PDF-steps mode. Every program
// that runs jobs (gui.exe, and the benchmarks that run ConvertJob in their
// own process) checks for it first.
inline constexpr wchar_t kPdfStepsKey[] = L"pdfsteps";

// True when the program was started in the PDF-steps mode.
bool IsPdfStepsProcess(const std::wstring& commandLine);

// The PDF-steps mode: reads the request from the standard input, runs it,
// writes the answer to the standard output. Returns the exit code.
int RunPdfStepsProcess();

struct PdfStepsOutcome {
  PdfStepsAnswer answer;
  std::size_t peakPrivateBytes = 0;  // of the process as sampled, for the figures
};

// Runs `request` in the PDF-steps process, handing it `output` (open for
// writing) and `existing` (open for reading, or null). Returns the answer of
// the steps; raises JobFailure when the process did not give one (it ended,
// ran out of time or memory).
PdfStepsOutcome RunPdfStepsLimited(PdfStepsRequest request, HANDLE output, HANDLE existing);
