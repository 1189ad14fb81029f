#include "pdf_steps.h"

#include "job_failure.h"
#include "pdf_assembly.h"
#include "pdf_failure.h"
#include "pdf_steps_process.h"

namespace {

PdfAssembly AssemblyOf(const JobOptions& options, const PdfStepsJob& job) {
  const PdfOptions& pdf = options.pdf;
  PdfAssembly assembly;
  assembly.input = job.ghostscriptResult;
  assembly.output = job.output;
  assembly.existing = job.existing;
  for (const std::wstring* password : {&pdf.ownerPassword, &pdf.userPassword}) {
    if (!password->empty()) assembly.existingPasswords.push_back(*password);
  }
  assembly.background = pdf.background;
  assembly.stamp = pdf.stamp;
  assembly.attachments = pdf.attachments;
  assembly.associatedFiles = options.format->isArchival;
  if (pdf.Encrypts()) {
    assembly.encryption = PdfEncryption{pdf.userPassword, pdf.ownerPassword, pdf.permissions};
  }
  return assembly;
}

}  // namespace

bool HasPdfSteps(const JobOptions& options, const std::wstring& existing) {
  return options.format->isPdf && NeedsAssembly(AssemblyOf(options, {{}, {}, {}, existing}));
}

void RunPdfSteps(const JobOptions& options, const PdfStepsJob& job) {
  const PdfStepsAnswer answer =
      RunPdfStepsLimited({AssemblyOf(options, job)}, job.outputFile, job.existingFile).answer;
  if (answer.failure) throw JobFailure{answer.failure->Text()};
}
