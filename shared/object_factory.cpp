#include "object_factory.h"

#include "automation_error.h"
#include "creation_error.h"
#include "system_message.h"

namespace {

// What the failed creation itself says about `hresult`: the error record the
// class left behind, else the system's message for the code.
std::wstring FailureDescription(HRESULT hresult, std::int32_t number) {
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.put()) == S_OK && info) {
    UniqueBstr text;
    if (SUCCEEDED(info->GetDescription(text.put())) && text && SysStringLen(text.get()) != 0) {
      return std::wstring(text.get(), SysStringLen(text.get()));
    }
  }
  if (std::wstring standard = AutomationErrorText(number); !standard.empty()) return standard;
  return SystemMessage(static_cast<DWORD>(hresult));
}

}  // namespace

ComPtr<IDispatch> CreateObjectByProgID(const std::wstring& progId) {
  ComPtr<IDispatch> object;
  HRESULT hr = CO_E_CLASSSTRING;
  CLSID clsid{};
  if (progId.find(L'\0') == std::wstring::npos) hr = CLSIDFromProgID(progId.c_str(), &clsid);
  // An in-process server's own failure is reported as it is; only a class
  // without one is looked for as a local server.
  if (SUCCEEDED(hr)) {
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put_void());
  }
  if (hr == REGDB_E_CLASSNOTREG) {
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, object.put_void());
  }
  if (SUCCEEDED(hr) && object) return object;
  if (SUCCEEDED(hr)) hr = E_NOINTERFACE;

  const std::int32_t number = CreationErrorNumber(hr);
  const std::wstring description = FailureDescription(hr, number);
  throw AutomationError(number, DefaultErrorSource(),
                        CreationErrorDescription(progId, number, description));
}
