// Object factory, ToText and the version resource, under the real COM runtime.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "automation_error.h"
#include "dictionary.h"
#include "object_factory.h"
#include "to_text.h"
#include "unique_resource.h"
#include "version_resource.h"

namespace {

class ComApartment : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }
};

AutomationError CreationFailure(const std::wstring& progId) {
  try {
    CreateObjectByProgID(progId);
  } catch (const AutomationError& e) {
    return e;
  }
  ADD_FAILURE() << "no error raised";
  return AutomationError(0, L"", L"");
}

// Registers `progId` for a class of the failing test server whose creation
// fails with `failure`.
void RegisterFailingClass(const wchar_t* progId, DWORD failure) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring server = exe;
  server = server.substr(0, server.rfind(L'\\') + 1) + L"failing_server.dll";
  wchar_t clsid[64];
  swprintf(clsid, 64, L"{%08X-3B7D-4F7B-9C55-0E9A4B0D2C11}", static_cast<unsigned>(failure));

  const auto setDefault = [](const std::wstring& path, const std::wstring& value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  };
  setDefault(std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32", server);
  setDefault(std::wstring(progId) + L"\\CLSID", clsid);
}

}  // namespace

TEST_F(ComApartment, CreatesARegisteredClass) {
  ComPtr<IDispatch> object = CreateObjectByProgID(L"Scripting.Dictionary");
  EXPECT_TRUE(object);
}

TEST_F(ComApartment, UnknownClassRaises429WithTheShortDescription) {
  const AutomationError e = CreationFailure(L"Quillmar.NoSuchClass");
  EXPECT_EQ(e.Number(), 429);
  EXPECT_EQ(e.Description(), L"Error creating object: Quillmar.NoSuchClass");
  EXPECT_EQ(e.Source(), L"tests");
  EXPECT_EQ(CreationFailure(L"").Number(), 429);
  EXPECT_EQ(CreationFailure(std::wstring(L"Scripting.Dictionary\0x", 22)).Number(), 429);
}

TEST_F(ComApartment, OtherFailuresKeepTheirNumberAndDescription) {
  RegisterFailingClass(L"Quillmar.Failing1", 0x80070020);
  const AutomationError sharingViolation = CreationFailure(L"Quillmar.Failing1");
  EXPECT_EQ(sharingViolation.Number(), -2147024864);
  const std::wstring prefix =
      L"Error creating object: Quillmar.Failing1. Error -2147024864 (0x80070020): ";
  ASSERT_EQ(sharingViolation.Description().rfind(prefix, 0), 0u);
  EXPECT_GT(sharingViolation.Description().size(), prefix.size());  // the system's own text

  RegisterFailingClass(L"Quillmar.Failing2", 0x80070005);
  const AutomationError denied = CreationFailure(L"Quillmar.Failing2");
  EXPECT_EQ(denied.Number(), 70);
  EXPECT_EQ(denied.Description(),
            L"Error creating object: Quillmar.Failing2. Error 70 (0x46): Permission denied");

  RegisterFailingClass(L"Quillmar.Failing3", 0x80040154);
  EXPECT_EQ(CreationFailure(L"Quillmar.Failing3").Description(),
            L"Error creating object: Quillmar.Failing3");
  for (const wchar_t* progId : {L"Quillmar.Failing1", L"Quillmar.Failing2", L"Quillmar.Failing3"}) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, progId);
  }
}

TEST(NewDictionary, EveryCallGivesAnIndependentTable) {
  DictionaryPtr first = NewDictionary();
  DictionaryPtr second = NewDictionary();
  ASSERT_TRUE(first && second);
  EXPECT_NE(first, second);
  first->Set(L"key", L"value");
  EXPECT_EQ(second->Count(), 0u);
}

TEST(ToText, ValuesOfEveryKind) {
  VARIANT v;
  VariantInit(&v);
  EXPECT_EQ(ToText(v), L"");
  V_VT(&v) = VT_NULL;
  EXPECT_EQ(ToText(v), L"");
  V_VT(&v) = VT_I4;
  V_I4(&v) = -5;
  EXPECT_EQ(ToText(v), L"-5");
  V_VT(&v) = VT_I2;
  V_I2(&v) = 32000;
  EXPECT_EQ(ToText(v), L"32000");
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = VARIANT_TRUE;
  EXPECT_EQ(ToText(v), L"True");

  UniqueBstr text(SysAllocStringLen(L"a\0b", 3));
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = text.get();
  EXPECT_EQ(ToText(v), std::wstring(L"a\0b", 3));
  V_BSTR(&v) = nullptr;
  EXPECT_EQ(ToText(v), L"");

  EXPECT_EQ(ToText(Dictionary::Value(std::wstring(L"plain"))), L"plain");
  EXPECT_EQ(ToText(Dictionary::Value(NewDictionary())), L"");
}

TEST_F(ComApartment, ToTextOfAnObjectWithoutDefaultValueIsEmpty) {
  ComPtr<IDispatch> object = CreateObjectByProgID(L"Scripting.FileSystemObject");
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = object.get();
  EXPECT_EQ(ToText(v), L"");
  ComPtr<IErrorInfo> pending;
  EXPECT_NE(GetErrorInfo(0, pending.put()), S_OK);
}

TEST(VersionResource, ReadsTheBinarysOwnRecord) {
  EXPECT_EQ(GetCompanyName(), L"Quillmar");
  EXPECT_EQ(ReadOwnVersionString(L"ProductName"), L"Shared module tests");
  EXPECT_EQ(ReadOwnVersionString(L"NoSuchEntry"), L"");
}
