// The PDF steps of a job after Ghostscript (converter/pdf/): the new pages
// after an existing PDF's, background, stamp, attachments, then encryption.
#pragma once

#include <string>

#include "job_options.h"

struct PdfStepsJob {
  std::wstring ghostscriptResult;  // the new pages
  std::wstring output;             // a file of the job's own beside the target
  std::wstring existing;           // the PDF to append to; empty: none
};

// True when the job asks for a PDF step, so the result is `job.output`
// rather than Ghostscript's file.
bool HasPdfSteps(const JobOptions& options, const std::wstring& existing);

// Writes `job.output` completely or not at all. Raises JobFailure naming the
// setting and value or the file (never a password).
void RunPdfSteps(const JobOptions& options, const PdfStepsJob& job);
