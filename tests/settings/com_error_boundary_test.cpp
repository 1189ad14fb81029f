// The error boundary of the class's methods: every failure but exhausted
// memory reaches a COM caller as an automation error with its record.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "com_error_boundary.h"
#include "com_test_support.h"
#include "tavrin_h.h"
#include "unique_resource.h"

namespace {

struct Failure {
  const char* what;
  std::function<void()> body;
  HRESULT result;
  const wchar_t* description;  // of the record; null: no record
};

TEST(ComErrorBoundary, FailuresBecomeAutomationErrorsWithTheirRecord) {
  Apartment apartment;
  const Failure failures[] = {
      {"automation error", [] { RaiseError(1000, L"Error writing settings file"); },
       static_cast<HRESULT>(0x800A03E8), L"Error writing settings file"},
      {"internal error", [] { throw std::logic_error("broken"); }, static_cast<HRESULT>(0x800A0033),
       L"Internal error"},
      {"anything thrown", [] { throw 42; }, static_cast<HRESULT>(0x800A0033), L"Internal error"},
      {"out of memory", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY, nullptr},
  };
  for (const Failure& failure : failures) {
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(RunComMethod(IID__PDFPrinterSettings, failure.body), failure.result) << failure.what;
    ComPtr<IErrorInfo> record;
    const HRESULT found = GetErrorInfo(0, record.put());
    if (!failure.description) {
      EXPECT_NE(found, S_OK) << failure.what;
      continue;
    }
    ASSERT_EQ(found, S_OK) << failure.what;
    BSTR description = nullptr, source = nullptr;
    GUID guid{};
    ASSERT_EQ(record->GetDescription(&description), S_OK);
    ASSERT_EQ(record->GetSource(&source), S_OK);
    UniqueBstr ownedDescription(description), ownedSource(source);
    EXPECT_STREQ(description, failure.description) << failure.what;
    EXPECT_STREQ(source, DefaultErrorSource()) << failure.what;
    ASSERT_EQ(record->GetGUID(&guid), S_OK);
    EXPECT_EQ(guid, IID__PDFPrinterSettings) << failure.what;
  }
  EXPECT_EQ(RunComMethod(IID__PDFPrinterSettings, [] {}), S_OK);
}

}  // namespace
