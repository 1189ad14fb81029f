#include "class_factory.h"

#include "module_lifetime.h"
#include "settings_object.h"

HRESULT SettingsClassFactory::QueryInterface(REFIID iid, void** object) noexcept {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IClassFactory) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG SettingsClassFactory::AddRef() noexcept {
  ServerLocked();
  return 2;
}

ULONG SettingsClassFactory::Release() noexcept {
  ServerUnlocked();
  return 1;
}

HRESULT SettingsClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) noexcept {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  return SettingsObject::Create(iid, object);
}

HRESULT SettingsClassFactory::LockServer(BOOL lock) noexcept {
  if (lock) {
    ServerLocked();
  } else {
    ServerUnlocked();
  }
  return S_OK;
}

SettingsClassFactory& TheSettingsClassFactory() noexcept {
  static SettingsClassFactory factory;
  return factory;
}
