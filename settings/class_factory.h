// The class factory of PDFPrinterSettings: one static instance per process.
#pragma once

#include <windows.h>
#include <unknwn.h>

class SettingsClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
  // The factory lives as long as the library; its references keep the library loaded.
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid,
                                           void** object) noexcept override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override;
};

SettingsClassFactory& TheSettingsClassFactory() noexcept;
