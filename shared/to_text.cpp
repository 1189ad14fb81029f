#include "to_text.h"

#include "com_ptr.h"

std::wstring ToText(const VARIANT& value) noexcept {
  try {
    if (V_VT(&value) == VT_BSTR) {
      return V_BSTR(&value) ? std::wstring(V_BSTR(&value), SysStringLen(V_BSTR(&value)))
                            : std::wstring();
    }
    UniqueVariant converted;
    const HRESULT hr = VariantChangeTypeEx(converted.get(), const_cast<VARIANT*>(&value),
                                           LOCALE_USER_DEFAULT, VARIANT_ALPHABOOL, VT_BSTR);
    if (SUCCEEDED(hr) && V_VT(converted.get()) == VT_BSTR && V_BSTR(converted.get())) {
      return std::wstring(V_BSTR(converted.get()), SysStringLen(V_BSTR(converted.get())));
    }
  } catch (...) {
  }
  // Nothing of a failed conversion (such as an object's error record) reaches the caller.
  SetErrorInfo(0, nullptr);
  return {};
}
