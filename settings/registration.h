// Self-registration of the class, its ProgID and the type library.
#pragma once

#include <windows.h>

// Writes the class and ProgID keys for the library at its current path and
// registers the embedded type library.
HRESULT RegisterServer() noexcept;
// Removes what RegisterServer wrote; keys that are already gone are no error.
HRESULT UnregisterServer() noexcept;
