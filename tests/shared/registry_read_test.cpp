// RegRead and QueryRegValue against real registry values.
#include <windows.h>

#include <gtest/gtest.h>

#include "registry_read.h"
#include "unique_resource.h"

namespace {

const wchar_t kKey[] = L"Software\\QuillmarSharedTests\\Values";
const std::wstring kPath = L"HKEY_CURRENT_USER\\Software\\QuillmarSharedTests\\Values\\";

class RegistryRead : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key_.put(), nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    key_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuillmarSharedTests");
  }
  void Set(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExW(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
  }
  void SetText(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ) {
    Set(name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  static RegistryValue Read(const std::wstring& path) {
    bool use64 = true;
    return RegRead(path, use64);
  }

  UniqueRegKey key_;
};

bool IsNull(const RegistryValue& value) { return std::holds_alternative<RegNull>(value); }

}  // namespace

TEST_F(RegistryRead, TextIntegerAndBytes) {
  SetText(L"Text", L"C:\\Data\\PDF Writer");
  const DWORD allOnes = 0xFFFFFFFF;
  Set(L"Number", REG_DWORD, &allOnes, sizeof allOnes);
  const BYTE bytes[] = {0x00, 0x7F, 0xFF, 0x10};
  Set(L"Bytes", REG_BINARY, bytes, sizeof bytes);

  EXPECT_EQ(Read(kPath + L"Text"), RegistryValue(std::wstring(L"C:\\Data\\PDF Writer")));
  EXPECT_EQ(Read(kPath + L"Number"), RegistryValue(std::int32_t{-1}));
  EXPECT_EQ(Read(kPath + L"Bytes"),
            RegistryValue(std::vector<std::uint8_t>{0x00, 0x7F, 0xFF, 0x10}));
}

TEST_F(RegistryRead, RootsInAnyCaseAndTheDefaultValue) {
  SetText(L"", L"default");
  SetText(L"Name", L"named");
  EXPECT_EQ(Read(L"hkcu\\Software\\QuillmarSharedTests\\Values\\"),
            RegistryValue(std::wstring(L"default")));
  EXPECT_EQ(Read(L"Hkey_Current_User\\Software\\QuillmarSharedTests\\Values\\Name"),
            RegistryValue(std::wstring(L"named")));
  EXPECT_TRUE(IsNull(Read(L"HKU\\Software\\QuillmarSharedTests\\Values\\Name")));
  EXPECT_TRUE(IsNull(Read(L"HKEY_CURRENT_CONFIG\\Software\\QuillmarSharedTests\\Values\\Name")));
}

TEST_F(RegistryRead, ExpandableTextComesBackExpanded) {
  ASSERT_TRUE(SetEnvironmentVariableW(L"QUILLMAR_TEST_ROOT", L"C:\\ProgramData"));
  SetText(L"Expand", L"%QUILLMAR_TEST_ROOT%\\Quillmar %NO_SUCH_VARIABLE%", REG_EXPAND_SZ);
  EXPECT_EQ(Read(kPath + L"Expand"),
            RegistryValue(std::wstring(L"C:\\ProgramData\\Quillmar %NO_SUCH_VARIABLE%")));
  SetEnvironmentVariableW(L"QUILLMAR_TEST_ROOT", nullptr);
}

TEST_F(RegistryRead, OtherTypesAndMissingValuesGiveNull) {
  const wchar_t multi[] = L"a\0b\0";
  Set(L"Multi", REG_MULTI_SZ, multi, sizeof multi);
  const ULONGLONG wide = 5;
  Set(L"Qword", REG_QWORD, &wide, sizeof wide);
  for (const wchar_t* name : {L"Multi", L"Qword", L"Missing"}) {
    EXPECT_TRUE(IsNull(Read(kPath + name))) << name;
  }
  EXPECT_TRUE(IsNull(Read(L"HKCU\\Software\\QuillmarSharedTests\\NoSuchKey\\Name")));
  EXPECT_TRUE(IsNull(Read(L"HKCU")));
  EXPECT_TRUE(IsNull(Read(L"HKCU\\")));
  EXPECT_TRUE(IsNull(Read(L"HKCU\\Name")));
  EXPECT_TRUE(IsNull(Read(L"")));
  EXPECT_TRUE(IsNull(Read(std::wstring(100000, L'\\'))));
}

TEST_F(RegistryRead, TextSizesAtTheEdges) {
  SetText(L"Empty", L"");
  Set(L"SizeZero", REG_SZ, nullptr, 0);
  EXPECT_EQ(Read(kPath + L"Empty"), RegistryValue(std::wstring()));
  EXPECT_TRUE(IsNull(Read(kPath + L"SizeZero")));
}

TEST_F(RegistryRead, BinaryOfSizeZeroAndOversizedNumbersGiveNull) {
  Set(L"NoBytes", REG_BINARY, nullptr, 0);
  const BYTE eight[8] = {1, 0, 0, 0, 2, 0, 0, 0};
  Set(L"LongNumber", REG_DWORD, eight, sizeof eight);
  const BYTE two[2] = {0x34, 0x12};
  Set(L"ShortNumber", REG_DWORD, two, sizeof two);
  EXPECT_TRUE(IsNull(Read(kPath + L"NoBytes")));
  EXPECT_TRUE(IsNull(Read(kPath + L"LongNumber")));
  EXPECT_EQ(Read(kPath + L"ShortNumber"), RegistryValue(std::int32_t{0x1234}));
}

TEST_F(RegistryRead, QueryStatusCodesAndUntouchedResults) {
  const ULONGLONG wide = 5;
  Set(L"Qword", REG_QWORD, &wide, sizeof wide);
  const BYTE eight[8] = {};
  Set(L"LongNumber", REG_DWORD, eight, sizeof eight);

  RegistryValue result = std::wstring(L"before");
  EXPECT_EQ(QueryRegValue(key_.get(), L"Missing", result), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(QueryRegValue(key_.get(), L"Qword", result), -1);
  EXPECT_EQ(QueryRegValue(key_.get(), L"LongNumber", result), ERROR_MORE_DATA);
  EXPECT_EQ(QueryRegValue(key_.get(), std::wstring(L"Qword\0x", 7), result), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(result, RegistryValue(std::wstring(L"before")));
}

TEST_F(RegistryRead, MachineKeyInTheSixtyFourBitView) {
  UniqueRegKey machine;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\QuillmarSharedTests", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, machine.put(), nullptr),
            ERROR_SUCCESS);
  const wchar_t text[] = L"machine";
  RegSetValueExW(machine.get(), L"Where", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 sizeof text);
  bool use64 = true;
  EXPECT_EQ(RegRead(L"HKLM\\Software\\QuillmarSharedTests\\Where", use64),
            RegistryValue(std::wstring(L"machine")));
  EXPECT_TRUE(use64);  // the flag stays on systems from XP on
  bool noView = false;
  EXPECT_EQ(RegRead(L"HKEY_LOCAL_MACHINE\\Software\\QuillmarSharedTests\\Where", noView),
            RegistryValue(std::wstring(L"machine")));
  EXPECT_FALSE(noView);
  machine.reset();
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\QuillmarSharedTests");
}

TEST_F(RegistryRead, SystemsBeforeXpDropTheSixtyFourBitView) {
  SetText(L"Text", L"read");
  const COpSysInfo windows2000([](VersionRecord& record) {
    record.dwPlatformId = 2;
    record.dwMajorVersion = 5;
    return true;
  });
  bool use64 = true;
  EXPECT_EQ(RegRead(kPath + L"Text", use64, windows2000), RegistryValue(std::wstring(L"read")));
  EXPECT_FALSE(use64);
}
