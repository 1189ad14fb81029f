// A COM server whose class objects always fail, with a code chosen by the
// CLSID's first field: tests see how object creation reports such failures.
#include <windows.h>

extern "C" __declspec(dllexport) HRESULT
    __stdcall DllGetClassObject(REFCLSID clsid, REFIID, void** object) {
  *object = nullptr;
  return static_cast<HRESULT>(clsid.Data1);
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllCanUnloadNow() { return S_OK; }
