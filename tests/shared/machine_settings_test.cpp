// The machine-wide settings: what a value of the key reads as, and the debug marker.
#include <gtest/gtest.h>

#include <windows.h>

#include "machine_settings.h"
#include "registry_override.h"
#include "scratch_folder.h"

namespace {

constexpr machine_settings::TextSetting kTestValue{L"CorvaleTestValue"};

class MachineSettings : public testing::Test {
 protected:
  MonitorSettingOverride value_{L"CorvaleTestValue"};
};

TEST_F(MachineSettings, TextValuesAreRead) {
  value_.Set(L"C:\\App");
  EXPECT_EQ(ReadMachineSetting(kTestValue), L"C:\\App");
  value_.Set(L"%TEMP%\\x", REG_EXPAND_SZ);
  EXPECT_EQ(ReadMachineSetting(kTestValue), L"%TEMP%\\x");  // as stored
}

TEST_F(MachineSettings, OtherTypesAndMissingValuesAreAbsent) {
  const DWORD number = 5;
  value_.SetRaw(REG_DWORD, &number, sizeof(number));
  EXPECT_EQ(ReadMachineSetting(kTestValue), std::nullopt);
  value_.SetRaw(REG_BINARY, L"abc", 8);
  EXPECT_EQ(ReadMachineSetting(kTestValue), std::nullopt);
  value_.Remove();
  EXPECT_EQ(ReadMachineSetting(kTestValue), std::nullopt);
}

TEST_F(MachineSettings, DataWithoutTerminatorIsNotReadPastItsSize) {
  value_.SetRaw(REG_SZ, L"abcdef", 3 * sizeof(wchar_t));
  EXPECT_EQ(ReadMachineSetting(kTestValue), L"abc");
}

TEST_F(MachineSettings, ValuesOverTheSizeLimitAreAbsent) {
  value_.Set(std::wstring(4074, L'v'));  // 8150 bytes with the terminator
  EXPECT_EQ(ReadMachineSetting(kTestValue), std::wstring(4074, L'v'));
  value_.Set(std::wstring(4075, L'v'));
  EXPECT_EQ(ReadMachineSetting(kTestValue), std::nullopt);
}

TEST_F(MachineSettings, NumbersAreFourByteDwordsOnly) {
  constexpr machine_settings::NumberSetting kTestNumber{L"CorvaleTestValue"};
  const DWORD number = 12;
  const unsigned long long wide = 12;
  const struct {
    DWORD type;
    const void* data;
    DWORD size;
    std::optional<std::uint32_t> read;
  } cases[] = {
      {REG_DWORD, &number, 4, 12u},
      {REG_DWORD, &number, 2, std::nullopt},
      {REG_QWORD, &wide, 8, std::nullopt},
      {REG_SZ, L"12", 6, std::nullopt},
  };
  for (const auto& c : cases) {
    value_.SetRaw(c.type, c.data, c.size);
    EXPECT_EQ(ReadMachineSetting(kTestNumber), c.read) << c.type << " " << c.size;
  }
  value_.Remove();
  EXPECT_EQ(ReadMachineSetting(kTestNumber), std::nullopt);
}

TEST(DebugMarker, KeepsSpoolFilesOnlyWhileInTheFolder) {
  ScratchFolder scratch;
  const std::wstring folder = scratch.Path();
  EXPECT_FALSE(SpoolFilesKeptIn(folder));
  WriteFileBytes(scratch / L"debug.txt", "");
  EXPECT_TRUE(SpoolFilesKeptIn(folder));
  EXPECT_TRUE(SpoolFilesKeptIn(folder + L"\\"));
  EXPECT_FALSE(SpoolFilesKeptIn(scratch / L"other"));
  DeleteFileW((scratch / L"debug.txt").c_str());
  EXPECT_FALSE(SpoolFilesKeptIn(folder));
}

}  // namespace
