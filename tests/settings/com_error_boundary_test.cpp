// The error boundary of the class's methods: every failure but exhausted
// memory reaches a COM caller as an automation error with its record.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <tuple>

#include "com_error_boundary.h"
#include "com_test_support.h"
#include "tavrin_h.h"

namespace {

TEST(ComErrorBoundary, FailuresBecomeAutomationErrorsWithTheirRecord) {
  Apartment apartment;
  const std::tuple<std::function<void()>, HRESULT, const wchar_t*> failures[] = {
      {[] { RaiseError(1000, L"cannot write"); }, static_cast<HRESULT>(0x800A03E8),
       L"cannot write"},
      {[] { throw std::logic_error("broken"); }, static_cast<HRESULT>(0x800A0033),
       L"Internal error"},
      {[] { throw 42; }, static_cast<HRESULT>(0x800A0033), L"Internal error"},
      {[] { throw std::bad_alloc(); }, E_OUTOFMEMORY, nullptr},  // no record
  };
  for (const auto& [body, result, description] : failures) {
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(RunComMethod(IID__PDFPrinterSettings, body), result);
    ComPtr<IErrorInfo> record;
    ASSERT_EQ(GetErrorInfo(0, record.put()), description ? S_OK : S_FALSE);
    if (!description) continue;
    BSTR text = nullptr, source = nullptr;
    GUID guid{};
    record->GetDescription(&text);
    record->GetSource(&source);
    UniqueBstr ownedText(text), ownedSource(source);
    EXPECT_STREQ(text, description);
    EXPECT_STREQ(source, DefaultErrorSource());
    EXPECT_EQ(record->GetGUID(&guid), S_OK);
    EXPECT_EQ(guid, IID__PDFPrinterSettings);
  }
}

}  // namespace
