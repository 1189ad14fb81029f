// The printing user's context: environment, work area, session ids.
#include <gtest/gtest.h>

#include <userenv.h>

#include <regex>

#include "file_utilities.h"
#include "message_box_watcher.h"
#include "registry_override.h"
#include "scratch_folder.h"
#include "spool_names.h"
#include "user_environment.h"

namespace {

class UserContext : public testing::Test {
 protected:
  MessageBoxWatcher boxes_;
  ScratchFolder scratch_;
  UserEnvironmentOverride temp_{L"TEMP"};
  UserEnvironmentOverride tmp_{L"TMP"};
};

TEST_F(UserContext, WorkAreaLiesUnderTempWithoutTrailingBackslashAndIsCreated) {
  temp_.Set(scratch_ / L"temp");
  const auto workArea = GetWorkArea();
  ASSERT_TRUE(workArea);
  EXPECT_EQ(*workArea, scratch_ / L"temp\\Quillmar\\PDF Writer\\");
  EXPECT_TRUE(PathExists(*workArea));
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(UserContext, WorkAreaUnderTempWithTrailingBackslashHasNoDoubleBackslash) {
  temp_.Set(scratch_ / L"temp\\");
  EXPECT_EQ(GetWorkArea(), scratch_ / L"temp\\Quillmar\\PDF Writer\\");
}

TEST_F(UserContext, WorkAreaFallsBackToTmp) {
  NoUserTempFolders none;
  UserEnvironmentOverride tmp(L"TMP");
  tmp.Set(scratch_ / L"tmp");
  EXPECT_EQ(GetWorkArea(), scratch_ / L"tmp\\Quillmar\\PDF Writer\\");
}

TEST_F(UserContext, AVariableWhoseNameOnlyBeginsWithTempIsNotTemp) {
  NoUserTempFolders none;
  UserEnvironmentOverride tempDir(L"TEMPDIR");
  tempDir.Set(scratch_ / L"wrong");
  UserEnvironmentOverride tmp(L"TMP");
  tmp.Set(scratch_ / L"right");
  EXPECT_EQ(GetWorkArea(), scratch_ / L"right\\Quillmar\\PDF Writer\\");
  EXPECT_FALSE(PathExists(scratch_ / L"wrong"));
}

TEST_F(UserContext, WithoutTempAndTmpTheTemporaryFolderOfTheUsersProfileServes) {
  NoUserTempFolders none;
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  wchar_t profile[MAX_PATH];
  DWORD size = MAX_PATH;
  ASSERT_TRUE(GetUserProfileDirectoryW(token, profile, &size));
  CloseHandle(token);
  EXPECT_EQ(GetWorkArea(),
            std::wstring(profile) + L"\\AppData\\Local\\Temp\\Quillmar\\PDF Writer\\");
}

TEST_F(UserContext, AWorkAreaThatCannotBeCreatedIsReportedAndAbsent) {
  WriteFileBytes(scratch_ / L"file", "x");
  temp_.Set(scratch_ / L"file");  // a file where the folder should be
  EXPECT_EQ(GetWorkArea(), std::nullopt);
  ASSERT_TRUE(boxes_.WaitForBoxes(1, 5000));
  EXPECT_EQ(boxes_.Seen()[0].caption, L"PDF Printer - Unable to create working area");
  EXPECT_EQ(boxes_.Seen()[0].text, scratch_ / L"file\\Quillmar\\PDF Writer\\");
}

TEST_F(UserContext, SpoolFileNameIsWorkAreaSessionIdAndSuffix) {
  temp_.Set(scratch_.Path());
  EXPECT_EQ(GetSpoolFileName(L"abc"), scratch_ / L"Quillmar\\PDF Writer\\abc_printer.ps");
}

TEST_F(UserContext, UserVariableIsReadWithAndWithoutAnImpersonationToken) {
  UserEnvironmentOverride variable(L"CORVALE_TEST_VARIABLE");
  variable.Set(L"from the user's registry");
  EXPECT_EQ(GetUserEnvironmentVariable(L"CORVALE_TEST_VARIABLE"), L"from the user's registry");
  HANDLE token = nullptr;
  EXPECT_FALSE(OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_TOKEN));  // the self-impersonation ended

  ASSERT_TRUE(ImpersonateSelf(SecurityImpersonation));
  EXPECT_EQ(GetUserEnvironmentVariable(L"CORVALE_TEST_VARIABLE"), L"from the user's registry");
  EXPECT_TRUE(OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token));  // still ours
  CloseHandle(token);
  RevertToSelf();
  EXPECT_EQ(GetUserEnvironmentVariable(L"CORVALE_NO_SUCH_VARIABLE"), std::nullopt);
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(UserContext, CreateFolderTreeMakesEveryMissingFolder) {
  const std::wstring deep = scratch_ / L"a\\b\\c\\";
  EXPECT_TRUE(CreateFolderTree(deep));
  EXPECT_TRUE(PathExists(scratch_ / L"a\\b\\c"));
  EXPECT_TRUE(CreateFolderTree(scratch_ / L"a\\b"));
  EXPECT_TRUE(FileExists(scratch_ / L"a\\b"));
  EXPECT_FALSE(FileExists(scratch_ / L"a\\missing"));
}

TEST(SessionIds, AreFreshLowerCaseGuidTexts) {
  const std::wstring first = NewSessionId(), second = NewSessionId();
  const std::wregex form(L"[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}");
  EXPECT_TRUE(std::regex_match(first, form));
  EXPECT_TRUE(std::regex_match(second, form));
  EXPECT_NE(first, second);
}

}  // namespace
