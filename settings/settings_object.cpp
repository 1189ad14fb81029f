#include "settings_object.h"

#include <oleauto.h>

#include <new>
#include <string>

#include "com_error_boundary.h"
#include "module_lifetime.h"
#include "type_info.h"

namespace {

std::wstring FromBstr(BSTR text) {
  return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace

HRESULT SettingsObject::Create(REFIID iid, void** object) noexcept {
  if (!object) return E_POINTER;
  *object = nullptr;
  auto* created = new (std::nothrow) SettingsObject();
  if (!created) return E_OUTOFMEMORY;
  const HRESULT result = created->QueryInterface(iid, object);
  created->Release();
  return result;
}

SettingsObject::SettingsObject() noexcept { ObjectCreated(); }

SettingsObject::~SettingsObject() {
  if (typeInfo_) typeInfo_->Release();
  ObjectDestroyed();
}

HRESULT SettingsObject::QueryInterface(REFIID iid, void** object) noexcept {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__PDFPrinterSettings) {
    *object = static_cast<_PDFPrinterSettings*>(this);
  } else if (iid == IID_ISupportErrorInfo) {
    *object = static_cast<ISupportErrorInfo*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG SettingsObject::AddRef() noexcept { return ++references_; }

ULONG SettingsObject::Release() noexcept {
  const ULONG remaining = --references_;
  if (remaining == 0) delete this;
  return remaining;
}

HRESULT SettingsObject::EnsureTypeInfo() noexcept {
  if (typeInfo_) return S_OK;
  return LoadOwnTypeInfo(IID__PDFPrinterSettings, &typeInfo_);
}

HRESULT SettingsObject::GetTypeInfoCount(UINT* count) noexcept {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT SettingsObject::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) noexcept {
  if (!typeInfo) return E_POINTER;
  *typeInfo = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  const HRESULT result = EnsureTypeInfo();
  if (FAILED(result)) return result;
  typeInfo_->AddRef();
  *typeInfo = typeInfo_;
  return S_OK;
}

HRESULT SettingsObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                      DISPID* ids) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  const HRESULT result = EnsureTypeInfo();
  if (FAILED(result)) return result;
  return DispGetIDsOfNames(typeInfo_, names, count, ids);
}

HRESULT SettingsObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception,
                               UINT* argumentError) noexcept {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  const HRESULT loaded = EnsureTypeInfo();
  if (FAILED(loaded)) return loaded;
  return typeInfo_->Invoke(static_cast<_PDFPrinterSettings*>(this), id, flags, params, result,
                           exception, argumentError);
}

HRESULT SettingsObject::Init() noexcept {
  return RunComMethod(IID__PDFPrinterSettings, [&] { settings_.Init(); });
}

HRESULT SettingsObject::LoadSettings(VARIANT_BOOL isRunOnce) noexcept {
  return RunComMethod(IID__PDFPrinterSettings,
                      [&] { settings_.LoadSettings(isRunOnce != VARIANT_FALSE); });
}

HRESULT SettingsObject::WriteSettings(VARIANT_BOOL isRunOnce) noexcept {
  return RunComMethod(IID__PDFPrinterSettings,
                      [&] { settings_.WriteSettings(isRunOnce != VARIANT_FALSE); });
}

HRESULT SettingsObject::RemoveSettings(VARIANT_BOOL isRunOnce) noexcept {
  return RunComMethod(IID__PDFPrinterSettings,
                      [&] { settings_.RemoveSettings(isRunOnce != VARIANT_FALSE); });
}

HRESULT SettingsObject::SetValue(BSTR configname, BSTR configvalue) noexcept {
  return RunComMethod(IID__PDFPrinterSettings,
                      [&] { settings_.SetValue(FromBstr(configname), FromBstr(configvalue)); });
}

HRESULT SettingsObject::GetValue(BSTR configname, BSTR* result) noexcept {
  if (!result) return E_POINTER;
  *result = nullptr;
  return RunComMethod(IID__PDFPrinterSettings, [&] {
    const std::wstring value = settings_.GetValue(FromBstr(configname));
    *result = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    if (!*result) throw std::bad_alloc();
  });
}

HRESULT SettingsObject::SetPrinterInstance(BSTR instance) noexcept {
  return RunComMethod(IID__PDFPrinterSettings,
                      [&] { settings_.SetPrinterInstance(FromBstr(instance)); });
}

HRESULT SettingsObject::InterfaceSupportsErrorInfo(REFIID iid) noexcept {
  return iid == IID__PDFPrinterSettings ? S_OK : S_FALSE;
}
