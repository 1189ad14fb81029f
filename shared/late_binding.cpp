#include "late_binding.h"

#include <new>
#include <string>
#include <vector>

#include "automation_error.h"
#include "com_ptr.h"
#include "creation_error.h"
#include "system_message.h"

namespace {

std::wstring BstrText(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : L""; }

// Owns the texts of an exception record that IDispatch::Invoke filled.
struct ExceptionRecord : EXCEPINFO {
  ExceptionRecord() noexcept : EXCEPINFO{} {}
  ExceptionRecord(const ExceptionRecord&) = delete;
  ExceptionRecord& operator=(const ExceptionRecord&) = delete;
  ~ExceptionRecord() {
    SysFreeString(bstrSource);
    SysFreeString(bstrDescription);
    SysFreeString(bstrHelpFile);
  }
};

std::wstring DescriptionOf(HRESULT hresult, std::int32_t number) {
  if (std::wstring text = AutomationErrorText(number); !text.empty()) return text;
  return SystemMessage(static_cast<DWORD>(hresult));
}

// The automation error of a failing Invoke that filled `record`.
[[noreturn]] void RaiseReportedException(ExceptionRecord& record) {
  if (record.pfnDeferredFillIn) record.pfnDeferredFillIn(&record);
  const HRESULT code =
      record.scode != 0 ? record.scode : MAKE_HRESULT(1, FACILITY_CONTROL, record.wCode);
  const std::int32_t number = record.wCode != 0 ? record.wCode : CreationErrorNumber(code);
  std::wstring description = BstrText(record.bstrDescription);
  if (description.empty()) description = DescriptionOf(code, number);
  std::wstring source = BstrText(record.bstrSource);
  if (source.empty()) source = DefaultErrorSource();
  throw AutomationError(number, std::move(source), std::move(description),
                        BstrText(record.bstrHelpFile),
                        static_cast<std::int32_t>(record.dwHelpContext));
}

// The automation error of any other failing call: the thread's error record
// when the object left one, else the code's own text.
[[noreturn]] void RaiseFailure(HRESULT hresult) {
  const std::int32_t number = CreationErrorNumber(hresult);
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.put()) == S_OK && info) {
    UniqueBstr description;
    UniqueBstr source;
    info->GetDescription(description.put());
    info->GetSource(source.put());
    if (description && SysStringLen(description.get()) != 0) {
      std::wstring sourceText = BstrText(source.get());
      if (sourceText.empty()) sourceText = DefaultErrorSource();
      throw AutomationError(number, std::move(sourceText), BstrText(description.get()));
    }
  }
  RaiseError(number, DescriptionOf(hresult, number));
}

}  // namespace

void CallMethod(IDispatch& object, const wchar_t* name, CallArguments& arguments) {
  DISPID member = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
  if (FAILED(hr)) RaiseFailure(hr);

  // IDispatch takes the arguments last one first.
  const std::span<VARIANTARG> inOrder = arguments.Variants();
  std::vector<VARIANTARG> reversed(inOrder.rbegin(), inOrder.rend());
  DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  ExceptionRecord record;
  UINT badArgument = 0;
  UniqueVariant result;
  hr = object.Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                     result.put(), &record, &badArgument);
  if (hr == DISP_E_EXCEPTION) RaiseReportedException(record);
  if (FAILED(hr)) RaiseFailure(hr);
}

void CallArguments::AddBool(bool value) {
  V_BOOL(&Add(VT_BOOL)) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void CallArguments::AddText(std::wstring_view text) {
  BSTR* slot = NewText(text);
  V_BSTR(&Add(VT_BSTR)) = *slot;
}

void CallArguments::AddTextByReference(std::wstring_view text) {
  BSTR* slot = NewText(text);
  V_BSTRREF(&Add(VT_BSTR | VT_BYREF)) = slot;
}

VARIANTARG& CallArguments::Add(VARTYPE type) {
  VARIANTARG& argument = variants_.emplace_back();
  VariantInit(&argument);
  V_VT(&argument) = type;
  return argument;
}

BSTR* CallArguments::NewText(std::wstring_view text) {
  BSTR* slot = texts_.emplace_back().put();
  *slot = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!*slot) throw std::bad_alloc();
  return slot;
}
