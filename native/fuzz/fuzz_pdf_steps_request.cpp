// The request and the answer of the PDF-steps process, as read from a pipe:
// any text is either refused or read into a record that is written back as a
// record that reads the same.
#include "fuzz_text.h"
#include "pdf_steps_request.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = DecodeUnits(data, size);
  if (const std::optional<PdfStepsRequest> request = DecodeRequest(text)) {
    const std::wstring written = EncodeRequest(*request);
    const std::optional<PdfStepsRequest> again = DecodeRequest(written);
    if (!again) Finding("a request written back is refused");
    if (EncodeRequest(*again) != written) Finding("a request written back reads differently");
  }
  if (const std::optional<PdfStepsAnswer> answer = DecodeAnswer(text)) {
    const std::wstring written = EncodeAnswer(*answer);
    const std::optional<PdfStepsAnswer> again = DecodeAnswer(written);
    if (!again || EncodeAnswer(*again) != written) Finding("an answer does not read back");
  }
  return 0;
}
