// The records between the converter and its PDF-steps process: every field
// comes back as written, and text that is not a whole record is refused.
#include <gtest/gtest.h>

#include "pdf_steps_request.h"

namespace {

PdfStepsRequest FullRequest() {
  PdfStepsRequest request;
  PdfAssembly& a = request.assembly;
  a.input = L"C:\\work\\~pdfjob-1.part.pdf";
  a.output = L"C:\\out\\r.s.1.1.part.pdf";
  a.existing = L"C:\\out\\r.pdf";
  // Texts that look like the record's own syntax.
  a.existingPasswords = {L"12:owner", L"", L"\x00E9:"};
  a.background = L"C:\\forms\\letter.pdf";
  a.attachments = {L"C:\\a.xml", L"\\\\srv\\s\\b c.txt"};
  a.associatedFiles = true;
  a.encryption = PdfEncryption{L"user 3:x", L"", ParsePermissions(L"print,assemble")};
  request.outputHandle = 0xFFFFFFFFFFFFFFF0u;
  request.existingHandle = 4;
  return request;
}

}  // namespace

TEST(PdfStepsRecords, RequestsAndAnswersReadBackFieldForField) {
  PdfStepsRequest plain;
  plain.assembly.input = L"in.pdf";
  plain.outputHandle = 8;
  for (const PdfStepsRequest& request : {FullRequest(), plain}) {
    const std::optional<PdfStepsRequest> read = DecodeRequest(EncodeRequest(request));
    ASSERT_TRUE(read);
    const PdfAssembly &a = read->assembly, &b = request.assembly;
    EXPECT_EQ(a.input + a.output + a.existing + a.background + a.stamp,
              b.input + b.output + b.existing + b.background + b.stamp);
    EXPECT_EQ(a.existingPasswords, b.existingPasswords);
    EXPECT_EQ(a.attachments, b.attachments);
    EXPECT_EQ(a.associatedFiles, b.associatedFiles);
    ASSERT_EQ(a.encryption.has_value(), b.encryption.has_value());
    if (a.encryption) {
      EXPECT_EQ(a.encryption->userPassword, b.encryption->userPassword);
      EXPECT_EQ(a.encryption->ownerPassword, b.encryption->ownerPassword);
      EXPECT_EQ(a.encryption->permissions, b.encryption->permissions);
    }
    EXPECT_EQ(read->outputHandle, request.outputHandle);
    EXPECT_EQ(read->existingHandle, request.existingHandle);
  }
  for (const PdfStepsAnswer& answer :
       {PdfStepsAnswer{}, PdfStepsAnswer{PdfFailure{L"stamp", L"C:\\s.pdf", L"no pages"}}}) {
    const std::optional<PdfStepsAnswer> read = DecodeAnswer(EncodeAnswer(answer));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->failure.has_value(), answer.failure.has_value());
    if (answer.failure) {
      EXPECT_EQ(read->failure->Text(), answer.failure->Text());
    }
  }
}

TEST(PdfStepsRecords, TextThatIsNoWholeRecordIsRefused) {
  const std::wstring request = EncodeRequest(FullRequest());
  const std::wstring answer = EncodeAnswer({PdfFailure{L"", L"x", L"y"}});
  const std::wstring refusedRequests[] = {
      L"",
      request.substr(0, request.size() - 1),   // cut
      request + L"0:",                         // more after the end
      L"11:pdf-steps-2" + request.substr(14),  // another version
      // A list longer than the record, a length that is no number.
      L"11:pdf-steps-1"
      L"0:"
      L"0:"
      L"1:8"
      L"0:"
      L"1:0"
      L"5:99999",
      L"11:pdf-steps-1x:",
  };
  for (const std::wstring& text : refusedRequests) {
    EXPECT_FALSE(DecodeRequest(text)) << std::string(text.begin(), text.end());
  }
  // A flag is "0" or "1" only; an answer is not a request.
  EXPECT_FALSE(DecodeAnswer(L"18:pdf-steps-answer-11:2"));
  EXPECT_FALSE(DecodeRequest(answer));
  EXPECT_FALSE(DecodeAnswer(request));
  EXPECT_FALSE(DecodeAnswer(answer.substr(0, answer.size() - 2)));
}
