// What the converter hands the process that runs its PDF steps, and what that
// process answers, as text records. Pure code, no platform header: the
// process reads its request from a pipe, so the reader takes any text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pdf_assembly.h"
#include "pdf_failure.h"

// The steps to run. `assembly.outputFile` and `existingFile` are not carried:
// the files come as handle values of the receiving process instead.
struct PdfStepsRequest {
  PdfAssembly assembly;
  std::uint64_t outputHandle = 0;    // the result's file, open for writing
  std::uint64_t existingHandle = 0;  // the existing PDF, open for reading; 0: none
};

// A record of fields, each "<length>:<text>", after a word that names the
// kind and version of the record. Passwords are carried like any text: the
// record goes through a pipe only, never a command line or a file.
std::wstring EncodeRequest(const PdfStepsRequest& request);
// The request in `record`, or nothing when it is not one (any text is safe).
std::optional<PdfStepsRequest> DecodeRequest(std::wstring_view record);

// The answer: done, or the failure of a step.
struct PdfStepsAnswer {
  std::optional<PdfFailure> failure;
};
std::wstring EncodeAnswer(const PdfStepsAnswer& answer);
std::optional<PdfStepsAnswer> DecodeAnswer(std::wstring_view record);
