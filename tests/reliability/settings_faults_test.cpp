// The settings object when its folder fails under it: a write that cannot
// happen raises error 1000 and leaves the previous file exactly as it was; a
// folder that cannot be created raises instead of crashing.
#include <gtest/gtest.h>

#include "automation_error.h"
#include "data_folder.h"
#include "locked_folder.h"
#include "printer_settings.h"
#include "scratch_folder.h"

namespace {

class SettingsFolderFaults : public testing::Test {
 protected:
  // Each test runs in its own process: the data folder, resolved once per
  // thread, follows this APPDATA.
  void UseAppData(const std::wstring& folder) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"APPDATA", folder.c_str()));
  }
};

TEST_F(SettingsFolderFaults, FailedWriteRaises1000AndKeepsThePreviousFile) {
  UseAppData(FreshScratchFolder(L"settings-unwritable"));
  PrinterSettings settings;
  settings.SetValue(L"output", L"C:\\first.pdf");
  settings.WriteSettings(false);
  const std::wstring folder = GetDataFolder();
  const std::wstring file = folder + L"\\settings.ini";
  const std::string before = ReadFileBytes(file);
  ASSERT_NE(before.find("output=C:\\first.pdf"), std::string::npos);

  {
    LockedFolder locked(folder);
    ASSERT_TRUE(locked.Locked());
    settings.SetValue(L"output", L"C:\\second.pdf");
    settings.SetValue(L"title", L"Quarterly report");
    try {
      settings.WriteSettings(false);
      ADD_FAILURE() << "a write into a folder that refuses it succeeded";
    } catch (const AutomationError& error) {
      EXPECT_EQ(error.Number(), PrinterSettings::kWriteError);
      EXPECT_EQ(error.Description().rfind(L"Error writing settings file '" + file + L"'", 0), 0u)
          << std::string(error.Description().begin(), error.Description().end());
    }
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(ListFiles(folder, L"*"), std::vector<std::wstring>{L"settings.ini"});

    // A reader meanwhile sees the previous settings whole.
    PrinterSettings reader;
    reader.LoadSettings(false);
    EXPECT_EQ(reader.GetValue(L"output"), L"C:\\first.pdf");
  }

  // Once the folder takes changes again, the same object writes what it holds.
  settings.WriteSettings(false);
  const std::string after = ReadFileBytes(file);
  EXPECT_NE(after.find("output=C:\\second.pdf"), std::string::npos);
  EXPECT_NE(after.find("title=Quarterly report"), std::string::npos);
}

TEST_F(SettingsFolderFaults, DataFolderThatCannotBeCreatedRaisesAndWritesNothing) {
  const std::wstring appData = FreshScratchFolder(L"settings-uncreatable");
  UseAppData(appData);
  LockedFolder locked(appData);
  ASSERT_TRUE(locked.Locked());
  PrinterSettings settings;
  settings.SetValue(L"output", L"C:\\x.pdf");
  EXPECT_THROW(settings.WriteSettings(false), AutomationError);
  EXPECT_TRUE(ListFiles(appData, L"*").empty());
}

}  // namespace
