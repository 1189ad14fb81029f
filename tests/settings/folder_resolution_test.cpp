// Where the component puts the settings files, as the process environment, the
// machine setting "USERDATA" and the library's own folder decide. Each thread
// resolves the folder once, so every case writes from a new thread.
#include <aclapi.h>
#include <sddl.h>
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <thread>

#include "child_process.h"
#include "com_test_support.h"
#include "registry_override.h"
#include "scratch_folder.h"
#include "tavrin_h.h"
#include "user_folder.h"

namespace {

// The last resort of the folder resolution: "data" beside the library file.
std::wstring LibraryDataFolder() {
  const std::wstring dllPath = TavrinDllPath();
  return dllPath.substr(0, dllPath.find_last_of(L'\\')) + L"\\data";
}

void SetVariable(const wchar_t* name, const std::optional<std::wstring>& value) {
  SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
}

// Writes the run-once file of `instance` from a new object on the calling thread.
AutomationOutcome WriteRunOnce(const std::wstring& instance) {
  ComPtr<IDispatch> object = CreateByProgId(kProgId);
  if (!object) return {};
  AutomationOutcome outcome = CallByName(object.get(), L"SetPrinterInstance", {instance});
  if (!outcome.Succeeded()) return outcome;
  return CallByName(object.get(), L"WriteSettings", {true});
}

AutomationOutcome WriteRunOnceOnNewThread(const std::wstring& instance) {
  AutomationOutcome outcome;
  std::thread([&] {
    Apartment apartment;
    outcome = WriteRunOnce(instance);
  }).join();
  return outcome;
}

class FolderResolution : public ::testing::Test {
 protected:
  // The library stays loaded while the threads of a test end (their ends with
  // the library unloading are the business of ComponentUnload below).
  void SetUp() override { library_ = LoadLibraryW(TavrinDllPath().c_str()); }
  void TearDown() override { FreeLibrary(library_); }

  void SetAppData(std::optional<std::wstring> value) { SetVariable(L"APPDATA", value); }
  void SetUserProfile(std::optional<std::wstring> value) { SetVariable(L"USERPROFILE", value); }

  HMODULE library_ = nullptr;
  ScratchFolder scratch_;
  MonitorSettingOverride userData_{L"USERDATA"};
};

TEST_F(FolderResolution, AppDataGetsCompanyAndApplicationFoldersCreatedWithParents) {
  SetAppData(scratch_ / L"new\\Roaming\\");
  SetUserProfile(scratch_ / L"profile");
  ASSERT_TRUE(WriteRunOnceOnNewThread(L"appdata").Succeeded());
  EXPECT_TRUE(PathExists(scratch_ / L"new\\Roaming\\Quillmar\\PDF Writer\\runonce-appdata.ini"));
  EXPECT_FALSE(PathExists(scratch_ / L"profile"));
}

TEST_F(FolderResolution, UserProfileServesWhenAppDataIsUnset) {
  SetAppData(std::nullopt);
  SetUserProfile(scratch_ / L"profile");
  ASSERT_TRUE(WriteRunOnceOnNewThread(L"profile").Succeeded());
  EXPECT_TRUE(PathExists(scratch_ / L"profile\\Quillmar\\PDF Writer\\runonce-profile.ini"));
}

TEST_F(FolderResolution, MachineSettingThenLibraryFolderWhenNoVariableIsSet) {
  SetAppData(std::nullopt);
  SetUserProfile(std::nullopt);
  userData_.Remove();
  const std::wstring libraryData = LibraryDataFolder();
  const std::wstring libraryFile =
      libraryData + L"\\runonce-library-" + std::to_wstring(GetCurrentProcessId()) + L".ini";
  ASSERT_TRUE(
      WriteRunOnceOnNewThread(L"library-" + std::to_wstring(GetCurrentProcessId())).Succeeded());
  EXPECT_TRUE(PathExists(libraryFile));
  DeleteFileW(libraryFile.c_str());
  RemoveDirectoryW(libraryData.c_str());  // only when nothing else is left in it

  userData_.Set(scratch_ / L"shared\\");
  ASSERT_TRUE(WriteRunOnceOnNewThread(L"shared").Succeeded());
  EXPECT_TRUE(PathExists(scratch_ / L"shared\\" + CurrentUserSid() + L"\\runonce-shared.ini"));

  // A folder stored as bytes counts as the text those bytes spell.
  const std::wstring binaryFolder = scratch_ / L"binary";
  userData_.SetRaw(REG_BINARY, binaryFolder.data(),
                   static_cast<DWORD>(binaryFolder.size() * sizeof(wchar_t)));
  ASSERT_TRUE(WriteRunOnceOnNewThread(L"binary").Succeeded());
  EXPECT_TRUE(PathExists(binaryFolder + L"\\" + CurrentUserSid() + L"\\runonce-binary.ini"));
}

// The shared machine folder (made by the fixture) holds files from before each
// user had a folder there: "settings-mine.ini" of this user and
// "settings-theirs.ini" of another. The user's own folder is only the user's,
// and of the old files only the user's own is read, until the user writes.
TEST_F(FolderResolution, SharedFolderGivesEachUserAPrivateFolderAndOnlyItsOwnOldFiles) {
  const std::wstring shared = WindowsPathOf(SHARED_USER_DATA_UNIX_PATH);
  SetAppData(std::nullopt);
  SetUserProfile(std::nullopt);
  userData_.Set(shared);
  std::wstring mine, theirs;
  std::thread([&] {
    Apartment apartment;
    ComPtr<IDispatch> object = CreateByProgId(kProgId);
    for (auto [instance, value] : {std::pair{L"mine", &mine}, std::pair{L"theirs", &theirs}}) {
      CallByName(object.get(), L"SetPrinterInstance", {std::wstring(instance)});
      CallByName(object.get(), L"LoadSettings", {false});
      *value = CallByName(object.get(), L"GetValue", {std::wstring(L"output")}).text;
    }
    CallByName(object.get(), L"SetPrinterInstance", {std::wstring(L"mine")});
    CallByName(object.get(), L"SetValue", {std::wstring(L"output"), std::wstring(L"new")});
    CallByName(object.get(), L"WriteSettings", {false});
  }).join();
  EXPECT_EQ(mine, L"c:\\mine.pdf");
  EXPECT_EQ(theirs, L"");
  const std::wstring own = shared + L"\\" + CurrentUserSid();
  EXPECT_EQ(ReadFileBytes(own + L"\\settings-mine.ini"), "[PDF Printer]\r\n  output=new\r\n");
  EXPECT_EQ(ReadFileBytes(shared + L"\\settings-mine.ini"),
            "[PDF Printer]\r\n  output=c:\\mine.pdf\r\n");

  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_EQ(GetNamedSecurityInfoW(own.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                  nullptr, &dacl, nullptr, &descriptor),
            ERROR_SUCCESS);
  // Wine does not keep the rights given at creation and shows SYSTEM and the
  // owner; either way nobody else may use the folder.
  const std::set<std::wstring> allowed = {CurrentUserSid(), L"S-1-5-18", L"S-1-5-32-544"};
  ASSERT_TRUE(dacl);
  EXPECT_GT(dacl->AceCount, 0u);
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
    LPWSTR sid = nullptr;
    ASSERT_TRUE(ConvertSidToStringSidW(&ace->SidStart, &sid));
    EXPECT_TRUE(ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE || allowed.count(sid)) << sid;
    LocalFree(sid);
  }
  LocalFree(descriptor);
  RemoveTree(own);
}

TEST_F(FolderResolution, CreationErrorReachesTheCallerUnchanged) {
  WriteFileBytes(scratch_ / L"afile", "not a folder");
  SetAppData(scratch_ / L"afile");
  SetUserProfile(scratch_ / L"profile");
  const std::wstring expectedStart = L"Error creating folder in function MkDirRecurse. Target=" +
                                     (scratch_ / L"afile\\Quillmar\\PDF Writer") + L", Current=" +
                                     (scratch_ / L"afile\\") + L". ";
  const AutomationOutcome outcome = WriteRunOnceOnNewThread(L"error");
  EXPECT_EQ(outcome.result, DISP_E_EXCEPTION);
  EXPECT_TRUE(FAILED(outcome.errorCode));
  EXPECT_NE(outcome.errorCode, kWriteErrorResult);
  EXPECT_EQ(outcome.description.rfind(expectedStart, 0), 0u)
      << std::string(outcome.description.begin(), outcome.description.end());
  EXPECT_FALSE(PathExists(scratch_ / L"profile"));
}

TEST_F(FolderResolution, EachThreadKeepsItsOwnAnswerUntilTheFolderIsRemoved) {
  SetUserProfile(std::nullopt);
  std::thread([&] {
    Apartment apartment;
    SetAppData(scratch_ / L"first");
    ASSERT_TRUE(WriteRunOnce(L"cache").Succeeded());
    SetAppData(scratch_ / L"second");
    ASSERT_TRUE(WriteRunOnce(L"cache").Succeeded());  // the cached answer
    EXPECT_FALSE(PathExists(scratch_ / L"second"));
    RemoveTree(scratch_ / L"first");
    ASSERT_TRUE(WriteRunOnce(L"cache").Succeeded());  // resolved again
    EXPECT_TRUE(PathExists(scratch_ / L"second\\Quillmar\\PDF Writer\\runonce-cache.ini"));
  }).join();
}

// A thread that used the component, and was the last to hold it, ends: the
// library is unloaded as its apartment goes, and per-thread data of the
// component must not keep the thread from ending. Runs in a child process that
// reaches the machine setting and the library folder (no APPDATA, USERPROFILE).
TEST(ComponentUnload, ThreadEndsAfterItsApartmentReleasedTheLibrary) {
  const std::wstring instance = L"thread-exit-" + std::to_wstring(GetCurrentProcessId());
  const std::optional<DWORD> exitCode = RunWithEnvironment(
      QuoteArgument(WindowsPathOf(THREAD_EXIT_PROBE_UNIX_PATH)) + L" " + instance,
      {{L"APPDATA", std::nullopt}, {L"USERPROFILE", std::nullopt}}, {}, 20000);
  EXPECT_EQ(exitCode, 0u) << "-1: the thread did not end within 20 s";
  DeleteFileW((LibraryDataFolder() + L"\\runonce-" + instance + L".ini").c_str());
  RemoveDirectoryW(LibraryDataFolder().c_str());
}

}  // namespace
