// The type information of the component's own type library.
#pragma once

#include <windows.h>
#include <oaidl.h>

// The type information of `guid` in the type library embedded in this library
// file; null on failure with `result` set.
HRESULT LoadOwnTypeInfo(REFGUID guid, ITypeInfo** typeInfo) noexcept;

// Loads the embedded type library itself.
HRESULT LoadOwnTypeLib(ITypeLib** typeLib) noexcept;
