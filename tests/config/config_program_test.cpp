// config.exe run as a separate process against the registered settings
// component, with its data folder in a scratch APPDATA and every message box
// seen and dismissed by a watcher.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "message_box_watcher.h"
#include "scratch_folder.h"

namespace {

constexpr wchar_t kProductName[] = L"Quillmar Printer";
constexpr wchar_t kUsage[] =
    L"Changes settings for the Quillmar Printer.\r\n"
    L"\r\n"
    L"CONFIG [/S name value][/R name][/C]\r\n"
    L"\r\n"
    L"  /S\tSet a setting in the configuration.\r\n"
    L"    name\tName of setting to change.\r\n"
    L"    value\tNew value of setting.\r\n"
    L"  /R\tRemove a setting from the configuration.\r\n"
    L"    name\tName of setting to remove.\r\n"
    L"  /C\tClear all settings.\r\n"
    L"\r\n"
    L"\r\n"
    L"Example: CONFIG /S Output \"C:\\document.pdf\"\r\n"
    L"\r\n"
    L"This will set the Output setting to the file C:\\document.pdf. When the output\r\n"
    L"is specified the printer will not ask for a destination of the created PDF\r\n"
    L"file. Remove the output setting to have the printer ask for a destination\r\n"
    L"again.\r\n"
    L"\r\n"
    L"CONFIG /R Output\r\n";

// Runs `commandLine` and returns its exit code; 259 when it had to be killed.
// A given watcher also watches the boxes of the new process.
DWORD RunProgram(std::wstring commandLine, MessageBoxWatcher* watcher = nullptr) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                      nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "cannot start: " << GetLastError();
    return 0xFFFFFFFF;
  }
  if (watcher) watcher->WatchProcess(process.dwProcessId);
  ResumeThread(process.hThread);
  DWORD exitCode = STILL_ACTIVE;
  if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, STILL_ACTIVE);
  }
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

void RegisterSettingsClass(bool registered) {
  const std::wstring tavrin = WindowsPathOf(TAVRIN_DLL);
  ASSERT_EQ(RunProgram(std::wstring(L"regsvr32.exe /s ") + (registered ? L"" : L"/u ") + L"\"" +
                       tavrin + L"\""),
            0u);
}

class ConfigProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterSettingsClass(true); }

  void SetUp() override {
    dataFolder_ = appData_ / L"Quillmar\\PDF Writer";
    SetEnvironmentVariableW(L"APPDATA", appData_.Path().c_str());
    CreateDirectoryW((appData_ / L"Quillmar").c_str(), nullptr);
    CreateDirectoryW(dataFolder_.c_str(), nullptr);
  }

  // Runs config.exe with `arguments`; the boxes it showed are in `boxes_`.
  DWORD RunConfig(const std::wstring& arguments) {
    MessageBoxWatcher watcher;
    const DWORD exitCode =
        RunProgram(L"\"" + WindowsPathOf(CONFIG_EXE) + L"\" " + arguments, &watcher);
    boxes_ = watcher.Seen();
    return exitCode;
  }

  std::wstring RunOnceFile() const { return dataFolder_ + L"\\runonce.ini"; }
  bool RunOnceFileExists() const { return PathExists(RunOnceFile()); }

  ScratchFolder appData_;
  std::wstring dataFolder_;
  std::vector<SeenMessageBox> boxes_;
};

}  // namespace

TEST_F(ConfigProgram, ShowsTheUsageBoxForArgumentsThatNameNoAction) {
  for (const wchar_t* arguments : {L"", L"   ", L"/S Output", L"/S a b c", L"/R", L"/C extra",
                                   L"Output C:\\a.pdf", L"/S Output=C:\\a.pdf", L"/X"}) {
    EXPECT_EQ(RunConfig(arguments), 1u) << arguments;
    ASSERT_EQ(boxes_.size(), 1u) << arguments;
    EXPECT_EQ(boxes_[0].caption, kProductName);
    EXPECT_EQ(boxes_[0].text, kUsage) << arguments;
  }
  EXPECT_FALSE(RunOnceFileExists());
}

TEST_F(ConfigProgram, SetStoresTheValueAsTypedUnderTheLowerCasedName) {
  for (const wchar_t* setSwitch : {L"/S", L"-s", L"s", L"/s"}) {
    DeleteFileW(RunOnceFile().c_str());
    EXPECT_EQ(RunConfig(std::wstring(setSwitch) + L" Output \"C:\\Q3 Reports\\Sales.pdf\""), 0u);
    EXPECT_TRUE(boxes_.empty()) << setSwitch;
    EXPECT_EQ(ReadFileBytes(RunOnceFile()),
              "[PDF Printer]\r\n  output=C:\\Q3 Reports\\Sales.pdf\r\n")
        << setSwitch;
  }
  // Loaded before the write: the earlier setting stays, in its place.
  EXPECT_EQ(RunConfig(L"/S Margin -5"), 0u);
  EXPECT_EQ(RunConfig(L"/S OUTPUT Output"), 0u);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(ReadFileBytes(RunOnceFile()), "[PDF Printer]\r\n  output=Output\r\n  margin=-5\r\n");
}

TEST_F(ConfigProgram, RemoveGivesTheSettingTheEmptyValueAndKeepsTheOthers) {
  WriteFileBytes(RunOnceFile(), "[PDF Printer]\r\n  output=C:\\a.pdf\r\n  title=Q3\r\n");
  EXPECT_EQ(RunConfig(L"/R Output"), 0u);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(ReadFileBytes(RunOnceFile()), "[PDF Printer]\r\n  output=\r\n  title=Q3\r\n");
}

TEST_F(ConfigProgram, ClearDeletesOnlyTheRunOnceFile) {
  WriteFileBytes(RunOnceFile(), "[PDF Printer]\r\n  output=C:\\a.pdf\r\n");
  WriteFileBytes(dataFolder_ + L"\\settings.ini", "[PDF Printer]\r\n  output=C:\\b.pdf\r\n");
  EXPECT_EQ(RunConfig(L"-C"), 0u);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_FALSE(RunOnceFileExists());
  EXPECT_EQ(ReadFileBytes(dataFolder_ + L"\\settings.ini"),
            "[PDF Printer]\r\n  output=C:\\b.pdf\r\n");
}

TEST_F(ConfigProgram, ClearThatCannotDeleteTheFileShowsTheErrorAndKeepsIt) {
  WriteFileBytes(RunOnceFile(), "[PDF Printer]\r\n  output=C:\\a.pdf\r\n");
  ASSERT_TRUE(SetFileAttributesW(RunOnceFile().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(RunConfig(L"/C"), 2u);
  SetFileAttributesW(RunOnceFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, kProductName);
  const std::wstring expectedStart =
      L"Error 75: Path/File access error: cannot delete '" + RunOnceFile() + L"'. ";
  EXPECT_EQ(boxes_[0].text.substr(0, expectedStart.size()), expectedStart);
  EXPECT_GT(boxes_[0].text.size(), expectedStart.size());
  EXPECT_EQ(ReadFileBytes(RunOnceFile()), "[PDF Printer]\r\n  output=C:\\a.pdf\r\n");
}

TEST_F(ConfigProgram, FailedWriteReportsTheComponentsErrorNumberAndDescription) {
  // A folder in the place of the file makes the write fail.
  CreateDirectoryW(RunOnceFile().c_str(), nullptr);
  EXPECT_EQ(RunConfig(L"/S Output x"), 2u);
  RemoveDirectoryW(RunOnceFile().c_str());
  ASSERT_EQ(boxes_.size(), 1u);
  const std::wstring expectedStart =
      L"Error 1000: Error writing settings file '" + RunOnceFile() + L"'. Error ";
  EXPECT_EQ(boxes_[0].text.substr(0, expectedStart.size()), expectedStart);
}

TEST_F(ConfigProgram, UnregisteredClassEndsWithTheCreationErrorAndWritesNothing) {
  RegisterSettingsClass(false);
  const DWORD exitCode = RunConfig(L"/S Output x");
  RegisterSettingsClass(true);
  EXPECT_EQ(exitCode, 2u);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].caption, kProductName);
  EXPECT_EQ(boxes_[0].text, L"Error 429: Error creating object: corvale.PDFPrinterSettings");
  EXPECT_FALSE(RunOnceFileExists());
}
