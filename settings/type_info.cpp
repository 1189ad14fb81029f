#include "type_info.h"

#include <oleauto.h>

#include "com_ptr.h"
#include "own_module.h"

HRESULT LoadOwnTypeLib(ITypeLib** typeLib) noexcept {
  try {
    const std::wstring path = OwnModulePath();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, typeLib);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT LoadOwnTypeInfo(REFGUID guid, ITypeInfo** typeInfo) noexcept {
  *typeInfo = nullptr;
  ComPtr<ITypeLib> typeLib;
  HRESULT result = LoadOwnTypeLib(typeLib.put());
  if (FAILED(result)) return result;
  return typeLib->GetTypeInfoOfGuid(guid, typeInfo);
}
