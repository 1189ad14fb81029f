// A stand-in for the Windows Runtime class that reports Windows protected
// print mode, which Wine lacks: registered under the class's name in the test
// prefix, it answers as the value "Answer" of its registration says:
//   on, off      IsProtectedPrintEnabled gives true or false
//   unreadable   IsProtectedPrintEnabled fails with E_ACCESSDENIED
//   refused      the activation itself fails with E_ACCESSDENIED
#include <windows.h>
#include <activation.h>
#include <inspectable.h>

#include <string>

#include "fake_protected_print_class.h"

namespace {

std::wstring Answer() {
  wchar_t text[32] = {};
  DWORD size = sizeof(text) - sizeof(wchar_t);
  RegGetValueW(HKEY_LOCAL_MACHINE, kFakeProtectedPrintClassKey, L"Answer", RRF_RT_REG_SZ, nullptr,
               text, &size);
  return text;
}

struct IWindowsProtectedPrintInfoStatics : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_IsProtectedPrintEnabled(boolean* value) = 0;
};
constexpr IID kStaticsIid = {
    0xa7d212f3, 0x4168, 0x5485, {0x98, 0xab, 0xd8, 0x9d, 0x04, 0x60, 0x3b, 0x40}};
// Defined here: mingw-w64's import libraries lack them.
constexpr IID kInspectableIid = {
    0xaf86e2e0, 0xb12d, 0x4c6a, {0x9c, 0x5a, 0xd7, 0xaa, 0x65, 0x10, 0x1e, 0x90}};
constexpr IID kActivationFactoryIid = {
    0x00000035, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// IInspectable's part of an object that lives as long as the process.
template <typename Interface>
class Lasting : public Interface {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetIids(ULONG*, IID**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel* level) override {
    *level = BaseTrust;
    return S_OK;
  }
};

class Statics : public Lasting<IWindowsProtectedPrintInfoStatics> {
 public:
  explicit Statics(IUnknown& owner) : owner_(owner) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return owner_.QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE get_IsProtectedPrintEnabled(boolean* value) override {
    const std::wstring answer = Answer();
    if (answer != L"on" && answer != L"off") return E_ACCESSDENIED;
    *value = answer == L"on";
    return S_OK;
  }

 private:
  IUnknown& owner_;
};

// The class's activation factory, which also holds its statics.
class Factory : public Lasting<IActivationFactory> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == kInspectableIid || iid == kActivationFactoryIid) {
      *object = static_cast<IActivationFactory*>(this);
    } else if (iid == kStaticsIid) {
      *object = static_cast<IWindowsProtectedPrintInfoStatics*>(&statics_);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ActivateInstance(IInspectable**) override { return E_NOTIMPL; }

 private:
  Statics statics_{*this};
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT
    __stdcall DllGetActivationFactory(HSTRING, IActivationFactory** factory) {
  static Factory instance;
  *factory = nullptr;
  if (Answer() == L"refused") return E_ACCESSDENIED;
  *factory = &instance;
  return S_OK;
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllCanUnloadNow() { return S_FALSE; }
