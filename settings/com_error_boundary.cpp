#include "com_error_boundary.h"

#include <oleauto.h>

#include "com_ptr.h"

HRESULT AutomationErrorResult(std::int32_t number) noexcept {
  if (number < 0) return static_cast<HRESULT>(number);
  if (number == 0 || number > 0xFFFF) return E_FAIL;
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
}

HRESULT ReportAutomationError(const AutomationError& error, REFIID iid) noexcept {
  ComPtr<ICreateErrorInfo> record;
  if (SUCCEEDED(CreateErrorInfo(record.put()))) {
    record->SetGUID(iid);
    record->SetSource(const_cast<LPOLESTR>(error.Source().c_str()));
    record->SetDescription(const_cast<LPOLESTR>(error.Description().c_str()));
    record->SetHelpFile(const_cast<LPOLESTR>(error.HelpFile().c_str()));
    record->SetHelpContext(static_cast<DWORD>(error.HelpContext()));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(record->QueryInterface(IID_IErrorInfo, info.put_void()))) {
      SetErrorInfo(0, info.get());
    }
  }
  return AutomationErrorResult(error.Number());
}

HRESULT ReportUnexpectedException(REFIID iid) noexcept {
  if (CurrentUnexpectedException() == UnexpectedException::kOutOfMemory) return E_OUTOFMEMORY;
  const UnexpectedAutomationError unexpected = UnexpectedExceptionAutomationError();
  try {
    return ReportAutomationError(
        AutomationError(unexpected.number, DefaultErrorSource(), unexpected.description), iid);
  } catch (...) {
    return AutomationErrorResult(unexpected.number);  // the record could not be made
  }
}
