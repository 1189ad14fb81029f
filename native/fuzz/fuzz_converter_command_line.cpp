// The converter's command line: whatever spool path, session id, document and
// printer name (or message) the monitor writes, the converter reads back.
#include "command_line_reader.h"
#include "converter_command_line.h"
#include "fuzz_text.h"

namespace {

constexpr std::size_t kNameCap = 999;  // the monitor caps document and printer names

// Texts from the spooler and the registry end at their first null.
std::wstring SpoolerText(FuzzedDataProvider& provider) {
  return Without(ConsumeUnits(provider), std::wstring_view(L"\0", 1));
}

void CheckJobForm(FuzzedDataProvider& provider) {
  // A folder name cannot hold a double quote.
  const std::wstring folder = Without(SpoolerText(provider), L"\"");
  const JobRequest sent{SpoolerText(provider), SpoolerText(provider),
                        SpoolerText(provider).substr(0, kNameCap),
                        SpoolerText(provider).substr(0, kNameCap)};
  const std::wstring line = ConverterCommandLine(
      folder, JobParameters(sent.spoolFile, sent.sessionId, sent.documentName, sent.printerName));
  const auto parameters = ReadConverterParameters(line);
  if (!parameters) Finding("the converter cannot read the job command line");
  const auto job = AsJobRequest(*parameters);
  if (!job) Finding("the job command line lacks a parameter");
  if (parameters->size() != 4) Finding("the job command line has extra parameters");
  if (job->spoolFile != sent.spoolFile) Finding("spool path changed");
  if (job->sessionId != sent.sessionId) Finding("session id changed");
  if (job->documentName != sent.documentName) Finding("document name changed");
  if (job->printerName != sent.printerName) Finding("printer name changed");
}

void CheckMessageForm(FuzzedDataProvider& provider) {
  const std::wstring folder = Without(SpoolerText(provider), L"\"");
  const int icon = provider.ConsumeIntegral<int>();
  const std::wstring message = SpoolerText(provider);
  const auto parameters =
      ReadConverterParameters(ConverterCommandLine(folder, MessageParameters(message, icon)));
  if (!parameters) Finding("the converter cannot read the message command line");
  const auto request = AsMessageRequest(*parameters);
  if (!request) Finding("the message command line lacks a parameter");
  if (request->message != message) Finding("message changed");
  if (request->iconWord != IconWord(icon)) Finding("icon word changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  if (provider.ConsumeBool()) {
    CheckJobForm(provider);
  } else {
    CheckMessageForm(provider);
  }
  return 0;
}
