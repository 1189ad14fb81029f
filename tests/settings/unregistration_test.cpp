// regsvr32 /u removes the registration and regsvr32 puts it back. Runs after
// every other test of the registered class.
#include <gtest/gtest.h>

#include "child_process.h"
#include "com_test_support.h"
#include "tavrin_h.h"
#include "unique_resource.h"

namespace {

bool ClassesKeyExists(const wchar_t* subKey) {
  UniqueRegKey key;
  return RegOpenKeyExW(HKEY_CLASSES_ROOT, subKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

bool TypeLibRegistered() {
  BSTR path = nullptr;
  const HRESULT result = QueryPathOfRegTypeLib(LIBID_corvale, 1, 0, LOCALE_NEUTRAL, &path);
  UniqueBstr owned(path);
  return SUCCEEDED(result);
}

std::optional<DWORD> Regsvr32(const std::wstring& options) {
  return RunWithEnvironment(L"regsvr32.exe " + options + L" " + QuoteArgument(TavrinDllPath()), {});
}

TEST(TavrinUnregistration, RemovesTheClassAndRegistrationRestoresIt) {
  Apartment apartment;
  ASSERT_EQ(Regsvr32(L"/s /u"), 0u);
  CLSID clsid;
  EXPECT_TRUE(FAILED(CLSIDFromProgID(kProgId, &clsid)));
  EXPECT_FALSE(ClassesKeyExists(L"CLSID\\{3AB0FF65-5BBD-4111-9DD0-F506DE7A21E4}"));
  EXPECT_FALSE(ClassesKeyExists(L"corvale.PDFPrinterSettings"));
  EXPECT_FALSE(TypeLibRegistered());

  ASSERT_EQ(Regsvr32(L"/s"), 0u);
  EXPECT_TRUE(CreateByProgId(kProgId));
  EXPECT_TRUE(TypeLibRegistered());
}

}  // namespace
