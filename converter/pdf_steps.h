// The PDF steps of a job after Ghostscript (converter/pdf/): the new pages
// after an existing PDF's, background, stamp, attachments, then encryption.
// They run in a process of their own under limits (pdf_steps_process.h).
#pragma once

#include <windows.h>

#include <string>

#include "job_options.h"

struct PdfStepsJob {
  std::wstring ghostscriptResult;  // the new pages, in the user's work area
  std::wstring output;             // a file of the job's own beside the target
  HANDLE outputFile = nullptr;     // that file, new and open for writing
  std::wstring existing;           // the PDF to append to; empty: none
  HANDLE existingFile = nullptr;   // that file, open for reading (the one checked)
};

// True when the job asks for a PDF step, so the result is `job.output`
// rather than Ghostscript's file.
bool HasPdfSteps(const JobOptions& options, const std::wstring& existing);

// Writes `job.outputFile` completely, or raises JobFailure naming the setting
// and value or the file (never a password); the caller then removes it.
void RunPdfSteps(const JobOptions& options, const PdfStepsJob& job);
