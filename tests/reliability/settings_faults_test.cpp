// The settings object when its folder fails under it: a write that cannot
// happen raises error 1000; a folder that cannot be created raises instead of
// crashing.
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

// A folder that takes no new file and lets none be deleted, but whose files
// may be written: the existing file is rewritten in place, a new one raises
// error 1000 and leaves the folder as it was.
TEST_F(SettingsFolderFaults, LockedFolderTakesWritesOfItsFileButNoNewFile) {
  UseAppData(FreshScratchFolder(L"settings-unwritable"));
  PrinterSettings settings;
  settings.SetValue(L"output", L"C:\\first.pdf");
  settings.WriteSettings(false);
  const std::wstring folder = GetDataFolder();
  const std::wstring file = folder + L"\\settings.ini";
  ASSERT_NE(ReadFileBytes(file).find("output=C:\\first.pdf"), std::string::npos);

  {
    LockedFolder locked(folder);
    ASSERT_TRUE(locked.Locked());
    settings.SetValue(L"output", L"C:\\second.pdf");
    settings.SetValue(L"title", L"Quarterly report");
    settings.WriteSettings(false);
    EXPECT_EQ(ReadFileBytes(file),
              "[PDF Printer]\r\n  output=C:\\second.pdf\r\n  title=Quarterly report\r\n");
    try {
      settings.WriteSettings(true);
      ADD_FAILURE() << "a new file was made in a folder that refuses it";
    } catch (const AutomationError& error) {
      EXPECT_EQ(error.Number(), PrinterSettings::kWriteError);
      EXPECT_EQ(error.Description().rfind(
                    L"Error writing settings file '" + folder + L"\\runonce.ini'. Error 5: ", 0),
                0u)
          << std::string(error.Description().begin(), error.Description().end());
    }
    EXPECT_EQ(ListFiles(folder, L"*"), std::vector<std::wstring>{L"settings.ini"});

    PrinterSettings reader;
    reader.LoadSettings(false);
    EXPECT_EQ(reader.GetValue(L"output"), L"C:\\second.pdf");
  }

  // Once the folder takes changes again, the new file is made.
  settings.WriteSettings(true);
  EXPECT_NE(ReadFileBytes(folder + L"\\runonce.ini").find("title=Quarterly report"),
            std::string::npos);
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
