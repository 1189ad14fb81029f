#include "settings_actions.h"

#include <windows.h>
#include <oleauto.h>

#include <new>

#include "com_ptr.h"
#include "late_binding.h"
#include "object_factory.h"
#include "program_identity.h"

namespace {

// The settings object's member names as this program calls them.
constexpr wchar_t kLoadSettings[] = L"loadsettings";
constexpr wchar_t kSetValue[] = L"SetValue";
constexpr wchar_t kWriteSettings[] = L"writesettings";
constexpr wchar_t kRemoveSettings[] = L"RemoveSettings";

// Puts a copy of `text` into `owner` and hands out the owner's slot, so that
// whatever a callee leaves in a text passed by reference is freed.
BSTR* FillBstr(UniqueBstr& owner, const std::wstring& text) {
  BSTR* slot = owner.put();
  *slot = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!*slot) throw std::bad_alloc();
  return slot;
}

// Calls `member` with the single argument isRunOnce = true.
void CallWithRunOnce(IDispatch& settings, const wchar_t* member) {
  VARIANTARG isRunOnce;
  VariantInit(&isRunOnce);
  isRunOnce.vt = VT_BOOL;
  isRunOnce.boolVal = VARIANT_TRUE;
  CallMethod(settings, member, {&isRunOnce, 1});
}

// Loads, calls SetValue(name, value) and writes; `valueByReference` passes the
// value as a BSTR reference rather than as a BSTR.
void StoreRunOnceValue(const std::wstring& name, const std::wstring& value, bool valueByReference) {
  UniqueBstr nameText;
  UniqueBstr valueText;
  BSTR* nameSlot = FillBstr(nameText, name);
  BSTR* valueSlot = FillBstr(valueText, value);

  VARIANTARG arguments[2];
  VariantInit(&arguments[0]);
  VariantInit(&arguments[1]);
  arguments[0].vt = VT_BSTR | VT_BYREF;
  arguments[0].pbstrVal = nameSlot;
  if (valueByReference) {
    arguments[1].vt = VT_BSTR | VT_BYREF;
    arguments[1].pbstrVal = valueSlot;
  } else {
    arguments[1].vt = VT_BSTR;
    arguments[1].bstrVal = *valueSlot;
  }

  ComPtr<IDispatch> settings = CreateObjectByProgID(GetSettingsProgID());
  CallWithRunOnce(*settings.get(), kLoadSettings);
  CallMethod(*settings.get(), kSetValue, arguments);
  CallWithRunOnce(*settings.get(), kWriteSettings);
}

}  // namespace

void SetSetting(const std::wstring& name, const std::wstring& value) {
  StoreRunOnceValue(name, value, true);
}

void RemoveSetting(const std::wstring& name) { StoreRunOnceValue(name, L"", false); }

void ClearSettings() {
  ComPtr<IDispatch> settings = CreateObjectByProgID(GetSettingsProgID());
  CallWithRunOnce(*settings.get(), kRemoveSettings);
}
