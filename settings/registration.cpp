#include "registration.h"

#include <oleauto.h>

#include <string>

#include "com_ptr.h"
#include "own_module.h"
#include "product_names.h"
#include "tavrin_h.h"
#include "type_info.h"
#include "unexpected_exception.h"
#include "unique_resource.h"

namespace {

constexpr const wchar_t* kProgId = product_names::kSettingsProgId;
constexpr const wchar_t* kClassName = product_names::kSettingsClassName;
// The platform under which RegisterTypeLib files the library: that of this build.
constexpr SYSKIND kTypeLibPlatform = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, static_cast<int>(std::size(text)));
  return text;
}

// Creates HKEY_CLASSES_ROOT\<path> and sets its value `name` (null: the default).
LSTATUS SetClassesValue(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  UniqueRegKey key;
  LSTATUS status =
      RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, key.put(), nullptr);
  if (status != ERROR_SUCCESS) return status;
  return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LSTATUS DeleteClassesTree(const std::wstring& path) {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
    RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
    return ERROR_SUCCESS;
  }
  return status;
}

}  // namespace

HRESULT RegisterServer() noexcept {
  try {
    const std::wstring modulePath = OwnModulePath();
    if (modulePath.empty()) return HRESULT_FROM_WIN32(GetLastError());

    const std::wstring classKey = L"CLSID\\" + GuidText(CLSID_PDFPrinterSettings);
    const std::wstring progIdKey = kProgId;
    const struct {
      std::wstring path;
      const wchar_t* name;
      std::wstring value;
    } values[] = {
        {classKey, nullptr, kClassName},
        {classKey + L"\\InprocServer32", nullptr, modulePath},
        {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {classKey + L"\\ProgID", nullptr, kProgId},
        {classKey + L"\\VERSION", nullptr, L"1.0"},
        {classKey + L"\\TypeLib", nullptr, GuidText(LIBID_corvale)},
        {classKey + L"\\Programmable", nullptr, L""},
        {progIdKey, nullptr, kClassName},
        {progIdKey + L"\\Clsid", nullptr, GuidText(CLSID_PDFPrinterSettings)},
    };
    for (const auto& value : values) {
      const LSTATUS status = SetClassesValue(value.path, value.name, value.value);
      if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    }

    ComPtr<ITypeLib> typeLib;
    const HRESULT result = LoadOwnTypeLib(typeLib.put());
    if (FAILED(result)) return result;
    return RegisterTypeLib(typeLib.get(), const_cast<wchar_t*>(modulePath.c_str()), nullptr);
  } catch (...) {
    return UnexpectedExceptionResult();
  }
}

HRESULT UnregisterServer() noexcept {
  try {
    HRESULT outcome = S_OK;
    const HRESULT typeLibResult =
        UnRegisterTypeLib(LIBID_corvale, 1, 0, LOCALE_NEUTRAL, kTypeLibPlatform);
    if (FAILED(typeLibResult) && typeLibResult != TYPE_E_REGISTRYACCESS &&
        typeLibResult != TYPE_E_LIBNOTREGISTERED) {
      outcome = typeLibResult;
    }
    for (const std::wstring& path :
         {L"CLSID\\" + GuidText(CLSID_PDFPrinterSettings), std::wstring(kProgId)}) {
      const LSTATUS status = DeleteClassesTree(path);
      if (status != ERROR_SUCCESS && SUCCEEDED(outcome)) outcome = HRESULT_FROM_WIN32(status);
    }
    return outcome;
  } catch (...) {
    return UnexpectedExceptionResult();
  }
}
