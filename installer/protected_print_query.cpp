// combase.dll is loaded at run time from the system folder, so that the
// program starts on Windows that has no Windows Runtime and, run as
// administrator from the program folder, loads no DLL placed beside it.
#include "protected_print_query.h"

#include <windows.h>
#include <inspectable.h>
#include <roapi.h>
#include <winstring.h>

#include "com_ptr.h"
#include "system_library.h"
#include "unique_resource.h"

// The class's statics: one property after IInspectable's three methods. Not
// in the unnamed namespace: the compiler would see that nothing in this file
// implements it and would not call through the table.
struct IWindowsProtectedPrintInfoStatics : IInspectable {
  virtual HRESULT STDMETHODCALLTYPE get_IsProtectedPrintEnabled(boolean* value) = 0;
};

namespace {

constexpr wchar_t kRuntimeLibrary[] = L"combase.dll";
constexpr wchar_t kInfoClass[] =
    L"Windows.Graphics.Printing.ProtectedPrint.WindowsProtectedPrintInfo";
constexpr IID kStaticsIid = {
    0xa7d212f3, 0x4168, 0x5485, {0x98, 0xab, 0xd8, 0x9d, 0x04, 0x60, 0x3b, 0x40}};

template <typename Function>
Function RuntimeFunction(const char* name) noexcept {
  return SystemExport<Function>(kRuntimeLibrary, name);
}

struct HstringTraits {
  using Type = HSTRING;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type s) noexcept {
    if (const auto remove =
            RuntimeFunction<decltype(&WindowsDeleteString)>("WindowsDeleteString")) {
      remove(s);
    }
  }
};
using UniqueHstring = UniqueResource<HstringTraits>;

ProtectedPrintAnswer Failed(ProtectedPrintAnswer::Kind kind, HRESULT status) {
  return {kind, false, static_cast<std::int32_t>(status)};
}

}  // namespace

ProtectedPrintAnswer AskProtectedPrint() noexcept {
  using Kind = ProtectedPrintAnswer::Kind;
  const auto initialize = RuntimeFunction<decltype(&RoInitialize)>("RoInitialize");
  const auto uninitialize = RuntimeFunction<decltype(&RoUninitialize)>("RoUninitialize");
  const auto createString = RuntimeFunction<decltype(&WindowsCreateString)>("WindowsCreateString");
  const auto getFactory =
      RuntimeFunction<decltype(&RoGetActivationFactory)>("RoGetActivationFactory");
  if (!initialize || !uninitialize || !createString || !getFactory) {
    return {Kind::kRuntimeMissing, false, 0};
  }
  // A thread initialised already for another apartment may still activate.
  const HRESULT initialized = initialize(RO_INIT_MULTITHREADED);
  if (FAILED(initialized) && initialized != RPC_E_CHANGED_MODE) {
    return Failed(Kind::kActivation, initialized);
  }
  const auto uninitializeAtEnd = ScopeExit([&] {
    if (SUCCEEDED(initialized)) uninitialize();
  });

  UniqueHstring className;
  HRESULT status = createString(kInfoClass, ARRAYSIZE(kInfoClass) - 1, className.put());
  if (FAILED(status)) return Failed(Kind::kActivation, status);
  ComPtr<IWindowsProtectedPrintInfoStatics> statics;
  status = getFactory(className.get(), kStaticsIid, statics.put_void());
  if (FAILED(status) || !statics)
    return Failed(Kind::kActivation, FAILED(status) ? status : E_POINTER);
  boolean enabled = 0;
  status = statics->get_IsProtectedPrintEnabled(&enabled);
  if (FAILED(status)) return Failed(Kind::kQuery, status);
  return {Kind::kAnswered, enabled != 0, 0};
}
