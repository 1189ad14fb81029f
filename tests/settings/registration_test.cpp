// What registration leaves behind and what the library carries: the class and
// ProgID keys, the type library, the version record and the object counting.
#include <gtest/gtest.h>

#include <vector>

#include "com_test_support.h"
#include "tavrin_h.h"
#include "unique_resource.h"

namespace {

std::wstring ClassesValue(const std::wstring& subKey, const wchar_t* name = nullptr) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer);
  if (RegGetValueW(HKEY_CLASSES_ROOT, subKey.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                   &size) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return buffer;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

TEST(TavrinRegistration, ClassAndProgIdPointAtTheLibraryWithApartmentThreading) {
  const std::wstring classKey = L"CLSID\\{3AB0FF65-5BBD-4111-9DD0-F506DE7A21E4}";
  EXPECT_TRUE(SamePath(ClassesValue(classKey + L"\\InprocServer32"), TavrinDllPath()))
      << std::string(TavrinDllPath().begin(), TavrinDllPath().end());
  EXPECT_EQ(ClassesValue(classKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(ClassesValue(classKey + L"\\ProgID"), kProgId);
  EXPECT_EQ(ClassesValue(classKey + L"\\TypeLib"), L"{18DEA2FA-576F-41AF-9EDE-A2C95A89BC2F}");
  EXPECT_EQ(ClassesValue(L"corvale.PDFPrinterSettings\\Clsid"),
            L"{3AB0FF65-5BBD-4111-9DD0-F506DE7A21E4}");

  BSTR path = nullptr;
  ASSERT_EQ(QueryPathOfRegTypeLib(LIBID_corvale, 1, 0, LOCALE_NEUTRAL, &path), S_OK);
  UniqueBstr ownedPath(path);
  EXPECT_TRUE(SamePath(path, TavrinDllPath()));
  EXPECT_NE(ClassesValue(L"Interface\\{3CDE414C-5508-498B-B1DF-68316E3EF4D0}"), L"<missing>");
}

TEST(TavrinRegistration, TypeLibraryDescribesTheDualInterfaceAndTheClass) {
  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadRegTypeLib(LIBID_corvale, 1, 0, LOCALE_NEUTRAL, library.put()), S_OK);
  BSTR name = nullptr;
  ASSERT_EQ(library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr), S_OK);
  UniqueBstr ownedName(name);
  EXPECT_STREQ(name, L"corvale");

  // A dual interface has a dispatch side and a vtable side.
  ComPtr<ITypeInfo> interfaceInfo;
  ASSERT_EQ(library->GetTypeInfoOfGuid(IID__PDFPrinterSettings, interfaceInfo.put()), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(interfaceInfo->GetTypeAttr(&attributes), S_OK);
  const WORD dual = TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE;
  EXPECT_EQ(attributes->wTypeFlags & dual, dual);
  interfaceInfo->ReleaseTypeAttr(attributes);
  HREFTYPE vtableSide = 0;
  ASSERT_EQ(interfaceInfo->GetRefTypeOfImplType(-1, &vtableSide), S_OK);
  ComPtr<ITypeInfo> vtableInfo;
  ASSERT_EQ(interfaceInfo->GetRefTypeInfo(vtableSide, vtableInfo.put()), S_OK);
  ASSERT_EQ(vtableInfo->GetTypeAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
  vtableInfo->ReleaseTypeAttr(attributes);

  // isRunOnce is optional with the default true.
  MEMBERID id = 0;
  LPOLESTR member[] = {const_cast<LPOLESTR>(L"RemoveSettings")};
  ASSERT_EQ(vtableInfo->GetIDsOfNames(member, 1, &id), S_OK);
  EXPECT_EQ(id, 0x60030004);
  ComPtr<ITypeInfo2> details;
  ASSERT_EQ(vtableInfo->QueryInterface(IID_ITypeInfo2, details.put_void()), S_OK);
  UINT index = 0;
  ASSERT_EQ(details->GetFuncIndexOfMemId(id, INVOKE_FUNC, &index), S_OK);
  FUNCDESC* function = nullptr;
  ASSERT_EQ(vtableInfo->GetFuncDesc(index, &function), S_OK);
  ASSERT_EQ(function->cParams, 1);
  const PARAMDESC& parameter = function->lprgelemdescParam[0].paramdesc;
  EXPECT_TRUE(parameter.wParamFlags & PARAMFLAG_FOPT);
  ASSERT_TRUE(parameter.wParamFlags & PARAMFLAG_FHASDEFAULT);
  EXPECT_EQ(V_VT(&parameter.pparamdescex->varDefaultValue), VT_BOOL);
  EXPECT_EQ(V_BOOL(&parameter.pparamdescex->varDefaultValue), VARIANT_TRUE);
  vtableInfo->ReleaseFuncDesc(function);

  ComPtr<ITypeInfo> classInfo;
  ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_PDFPrinterSettings, classInfo.put()), S_OK);
  ASSERT_EQ(classInfo->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FCANCREATE);
  classInfo->ReleaseTypeAttr(attributes);
}

std::wstring VersionString(const std::vector<BYTE>& record, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(record.data(), query.c_str(), &value, &length)) return L"<missing>";
  return static_cast<const wchar_t*>(value);
}

TEST(TavrinLibrary, VersionRecordNamesTheProductAndMarksSelfRegistration) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(TavrinDllPath().c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> record(size);
  ASSERT_TRUE(GetFileVersionInfoW(TavrinDllPath().c_str(), 0, size, record.data()));
  EXPECT_EQ(VersionString(record, L"CompanyName"), L"Quillmar");
  EXPECT_EQ(VersionString(record, L"ProductName"), L"Quillmar Printer");
  EXPECT_EQ(VersionString(record, L"FileVersion"), L"3.00.0013");
  EXPECT_EQ(VersionString(record, L"ProductVersion"), L"3.00.0013");
  EXPECT_EQ(VersionString(record, L"InternalName"), L"tavrin");
  EXPECT_EQ(VersionString(record, L"OriginalFilename"), L"tavrin.dll");
  EXPECT_NE(VersionString(record, L"OLESelfRegister"), L"<missing>");
}

TEST(TavrinLibrary, ObjectsAndLocksKeepTheLibraryLoaded) {
  Apartment apartment;
  const HMODULE library = LoadLibraryW(TavrinDllPath().c_str());
  ASSERT_TRUE(library);
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
  const auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
  const auto canUnloadNow = reinterpret_cast<CanUnloadNow>(
      reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
  ASSERT_TRUE(getClassObject && canUnloadNow);

  EXPECT_EQ(canUnloadNow(), S_OK);
  ComPtr<IClassFactory> factory;
  void* other = nullptr;
  EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory, &other), CLASS_E_CLASSNOTAVAILABLE);
  ASSERT_EQ(getClassObject(CLSID_PDFPrinterSettings, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(canUnloadNow(), S_FALSE);

  ComPtr<IDispatch> object;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.put_void()), S_OK);
  void* aggregated = nullptr;
  EXPECT_EQ(factory->CreateInstance(object.get(), IID_IUnknown, &aggregated),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(aggregated, nullptr);
  factory.reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  object.reset();
  EXPECT_EQ(canUnloadNow(), S_OK);

  ASSERT_EQ(getClassObject(CLSID_PDFPrinterSettings, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory.reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  ASSERT_EQ(getClassObject(CLSID_PDFPrinterSettings, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory.reset();
  EXPECT_EQ(canUnloadNow(), S_OK);
  FreeLibrary(library);
}

}  // namespace
