// The COM class PDFPrinterSettings: the automation face of PrinterSettings. It
// implements its default interface as a dual interface, with IDispatch served
// through the type library, and reports errors through error-information records.
#pragma once

#include <atomic>

#include "printer_settings.h"
#include "tavrin_h.h"

class SettingsObject final : public _PDFPrinterSettings, public ISupportErrorInfo {
 public:
  // Creates an object and hands out the interface `iid` of it.
  static HRESULT Create(REFIID iid, void** object) noexcept;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  // IDispatch, through the type information of _PDFPrinterSettings.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid,
                                        ITypeInfo** typeInfo) noexcept override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) noexcept override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) noexcept override;

  // _PDFPrinterSettings
  HRESULT STDMETHODCALLTYPE Init() noexcept override;
  HRESULT STDMETHODCALLTYPE LoadSettings(VARIANT_BOOL isRunOnce) noexcept override;
  HRESULT STDMETHODCALLTYPE WriteSettings(VARIANT_BOOL isRunOnce) noexcept override;
  HRESULT STDMETHODCALLTYPE RemoveSettings(VARIANT_BOOL isRunOnce) noexcept override;
  HRESULT STDMETHODCALLTYPE SetValue(BSTR configname, BSTR configvalue) noexcept override;
  HRESULT STDMETHODCALLTYPE GetValue(BSTR configname, BSTR* result) noexcept override;
  HRESULT STDMETHODCALLTYPE SetPrinterInstance(BSTR instance) noexcept override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) noexcept override;

 private:
  SettingsObject() noexcept;
  ~SettingsObject();

  HRESULT EnsureTypeInfo() noexcept;

  std::atomic<ULONG> references_{1};
  ITypeInfo* typeInfo_ = nullptr;
  PrinterSettings settings_;
};
