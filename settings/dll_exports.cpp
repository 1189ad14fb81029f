// The library's entry point and its four COM exports.
#include <windows.h>

#include "class_factory.h"
#include "module_lifetime.h"
#include "registration.h"
#include "tavrin_h.h"
#include "thread_state.h"

// Frees each thread's module data when the thread or the library goes away.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_THREAD_DETACH) ReleaseThreadState();
  if (reason == DLL_PROCESS_DETACH) FreeThreadStateSlot();
  return TRUE;
}

// Hands out the class factory of PDFPrinterSettings; CLASS_E_CLASSNOTAVAILABLE
// for any other class.
extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (clsid != CLSID_PDFPrinterSettings) return CLASS_E_CLASSNOTAVAILABLE;
  return TheSettingsClassFactory().QueryInterface(iid, object);
}

// S_OK when no object is alive and no factory lock is held, else S_FALSE.
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return CanUnloadNow() ? S_OK : S_FALSE; }

// Registers the class, its ProgID and the type library (regsvr32).
extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return RegisterServer(); }

// Removes the registration (regsvr32 /u).
extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return UnregisterServer(); }
