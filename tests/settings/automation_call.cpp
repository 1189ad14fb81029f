#include "automation_call.h"

#include "scratch_folder.h"

ComPtr<IDispatch> CreateByProgId(const wchar_t* progId) {
  ComPtr<IDispatch> object;
  CLSID clsid;
  if (SUCCEEDED(CLSIDFromProgID(progId, &clsid))) {
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put_void());
  }
  return object;
}

AutomationOutcome CallByName(IDispatch* object, const std::wstring& name,
                             const std::vector<AutomationArgument>& arguments) {
  AutomationOutcome outcome;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
  outcome.result = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(outcome.result)) return outcome;

  // DISPPARAMS holds the arguments last to first.
  std::vector<VARIANT> values(arguments.size());
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    VARIANT& value = values[arguments.size() - 1 - i];
    VariantInit(&value);
    if (const bool* flag = std::get_if<bool>(&arguments[i])) {
      V_VT(&value) = VT_BOOL;
      V_BOOL(&value) = *flag ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
      const std::wstring& text = std::get<std::wstring>(arguments[i]);
      V_VT(&value) = VT_BSTR;
      V_BSTR(&value) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
  }
  DISPPARAMS params{values.data(), nullptr, static_cast<UINT>(values.size()), 0};
  UniqueVariant result;
  EXCEPINFO exception{};
  UINT argumentError = 0;
  outcome.result = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                  result.get(), &exception, &argumentError);
  for (VARIANT& value : values) VariantClear(&value);
  if (outcome.result == DISP_E_EXCEPTION) {
    outcome.errorCode = exception.scode;
    if (exception.bstrSource) outcome.source = exception.bstrSource;
    if (exception.bstrDescription) outcome.description = exception.bstrDescription;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
  }
  if (V_VT(result.get()) == VT_BSTR && V_BSTR(result.get())) outcome.text = V_BSTR(result.get());
  return outcome;
}

std::wstring TavrinDllPath() { return WindowsPathOf(TAVRIN_DLL_UNIX_PATH); }
