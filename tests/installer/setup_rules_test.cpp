// The installer's rules for the stored port list, the choice of driver and the
// program folder.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "driver_choice.h"
#include "port_values.h"
#include "program_folder_rule.h"
#include "setup_names.h"

namespace {

using namespace setup_names;

TEST(PortValues, FirstPortGoesToValueOne) { EXPECT_EQ(PortValueToAdd({}, kPortName), L"1"); }

TEST(PortValues, NewPortFollowsTheOthers) {
  EXPECT_EQ(PortValueToAdd({L"OTHER1:", L"OTHER2:"}, kPortName), L"3");
}

TEST(PortValues, PortListedAlreadyIsNotAddedAgainWhateverItsCase) {
  EXPECT_FALSE(PortValueToAdd({L"OTHER:", kPortName}, kPortName).has_value());
  EXPECT_FALSE(PortValueToAdd({L"quillmar:"}, L"QUILLMAR:").has_value());
}

TEST(PortValues, OnlyLettersAToZFoldLikeTheMonitorFoldsThem) {
  EXPECT_TRUE(EqualIgnoringAsciiCase(L"Port-A:", L"pORT-a:"));
  EXPECT_FALSE(EqualIgnoringAsciiCase(L"\u00C4:", L"\u00E4:"));  // Ä and ä differ
  EXPECT_FALSE(EqualIgnoringAsciiCase(L"PORT:", L"PORT1:"));
  EXPECT_FALSE(
      EqualIgnoringAsciiCase(L"[:", L"{:"));  // 0x5B and 0x7B are 0x20 apart but not letters
}

TEST(DriverChoice, ClassDriverIsUsedWhereTheSystemHasItRegistered) {
  const DriverChoice choice = ChoosePostScriptDriver({L"Other", kClassDriverName}, true);
  EXPECT_EQ(choice.source, DriverSource::kInstalled);
  EXPECT_EQ(choice.name, kClassDriverName);
}

TEST(DriverChoice, UnderWineOurDriverIsRegisteredOnceAndThenReused) {
  const DriverChoice first = ChoosePostScriptDriver({L"Other"}, true);
  EXPECT_EQ(first.source, DriverSource::kWinePostScript);
  EXPECT_EQ(first.name, kWineDriverName);
  const DriverChoice again = ChoosePostScriptDriver({L"Other", kWineDriverName}, true);
  EXPECT_EQ(again.source, DriverSource::kInstalled);
  EXPECT_EQ(again.name, kWineDriverName);
}

TEST(DriverChoice, WindowsWithoutTheClassDriverInstallsItFromTheDriverStore) {
  const DriverChoice choice = ChoosePostScriptDriver({L"Other"}, false);
  EXPECT_EQ(choice.source, DriverSource::kClassDriverStore);
  EXPECT_EQ(choice.name, kClassDriverName);
}

TEST(DriverChoice, OnlyOurPrinterDescriptionIsDeletedNeverWinesSharedLibrary) {
  EXPECT_TRUE(IsOwnDriverFile(L"C:\\windows\\system32\\spool\\drivers\\x64\\3\\QUILLMAR.PPD"));
  EXPECT_TRUE(IsOwnDriverFile(kWineDriverDescription));
  EXPECT_FALSE(IsOwnDriverFile(L"C:\\windows\\system32\\spool\\drivers\\x64\\3\\wineps.drv"));
  EXPECT_FALSE(IsOwnDriverFile(L"C:\\quillmar.ppd\\wineps.drv"));
  EXPECT_FALSE(IsOwnDriverFile(L""));
}

TEST(ProgramFolderRule, OnlyTheFolderItselfAndWhatLiesBelowItAreInside) {
  const std::wstring programFiles = L"C:\\Program Files";
  const struct {
    const wchar_t* path;
    bool inside;
  } cases[] = {
      {L"C:\\Program Files\\Quillmar\\PDF Writer", true},
      {L"c:\\PROGRAM FILES\\Quillmar", true},
      {L"C:/Program Files/Quillmar/", true},
      {L"C:\\Program Files\\", true},
      {L"C:\\Program Files (x86)\\Quillmar", false},  // a name that only starts alike
      {L"C:\\Program FilesX", false},
      {L"C:\\Tools\\PDF Writer", false},
      {L"C:\\", false},
      {L"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsInsideFolder(c.path, programFiles), c.inside) << c.path;
  }
  EXPECT_FALSE(IsInsideFolder(L"C:\\Anything", L""));
}

TEST(ProgramFolderRule, PlanChecksWhatExistsAndCreatesTheFirstMissingFolderAndAllBelowIt) {
  using enum FolderStepAction;
  // C:\Tools\A is missing: A\B is created below it, whatever a look at it says.
  const std::set<std::wstring> existing = {L"C:\\Tools", L"C:\\Tools\\A\\B", L"\\\\srv\\share\\x"};
  using Steps = std::vector<std::pair<std::wstring, FolderStepAction>>;
  const struct {
    const wchar_t* path;
    Steps steps;
  } cases[] = {
      {L"C:\\Tools\\A\\B",
       {{L"C:\\", kCheck},
        {L"C:\\Tools", kCheck},
        {L"C:\\Tools\\A", kCreate},
        {L"C:\\Tools\\A\\B", kCreate}}},
      {L"C:/Tools/", {{L"C:\\", kCheck}, {L"C:\\Tools", kCheck}}},
      {L"C:\\Tools\\\\New",
       {{L"C:\\", kCheck}, {L"C:\\Tools", kCheck}, {L"C:\\Tools\\New", kCreate}}},
      {L"\\\\srv\\share\\x\\y",
       {{L"\\\\srv\\share\\", kCheck},
        {L"\\\\srv\\share\\x", kCheck},
        {L"\\\\srv\\share\\x\\y", kCreate}}},
      {L"C:\\", {}},  // a drive or share is no program folder
      {L"\\\\srv\\share\\", {}},
  };
  for (const auto& c : cases) {
    Steps steps;
    for (const ProgramFolderStep& step : PlanProgramFolder(
             c.path, [&](const std::wstring& folder) { return existing.count(folder) > 0; })) {
      steps.emplace_back(step.path, step.action);
    }
    EXPECT_EQ(steps, c.steps) << c.path;
  }
}

TEST(ProgramFolderRule,
     OnlyAdministratorsSystemTrustedInstallerAndTheSetupAccountAreTrustedOwners) {
  const std::wstring setupAccount = L"S-1-5-21-1-2-3-1001";
  const struct {
    std::wstring owner;
    bool trusted;
  } cases[] = {
      {L"S-1-5-32-544", true},
      {L"S-1-5-18", true},
      {L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464", true},
      {setupAccount, true},
      {L"S-1-5-21-1-2-3-1002", false},  // another user
      {L"S-1-5-32-545", false},         // Users
      {L"S-1-5-11", false},             // Authenticated Users
      {L"S-1-5-32-5440", false},        // starts like Administrators
      {L"S-1-5-80-956008885", false},   // starts like TrustedInstaller
      {L"", false},                     // no owner: a FAT volume
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsTrustedOwner(c.owner, setupAccount), c.trusted) << c.owner;
  }
  EXPECT_FALSE(IsTrustedOwner(L"", L""));
}

TEST(ProgramFolderRule,
     AFolderOnThePathIsRefusedWhenItIsALinkWhoeverOwnsItOrWhenItsOwnerIsNotTrusted) {
  const std::wstring administrators = L"S-1-5-32-544", user = L"S-1-5-21-1-2-3-1002";
  EXPECT_EQ(JudgeFolderOnPath(false, administrators, L""), FolderVerdict::kUse);
  EXPECT_EQ(JudgeFolderOnPath(true, administrators, L""), FolderVerdict::kRefuseLink);
  EXPECT_EQ(JudgeFolderOnPath(false, user, L""), FolderVerdict::kRefuseOwner);
  EXPECT_EQ(JudgeFolderOnPath(true, user, L""), FolderVerdict::kRefuseLink);
  const std::wstring owned = RefusalText(FolderVerdict::kRefuseOwner, L"C:\\Tools", L"PC\\eve");
  EXPECT_NE(owned.find(L"C:\\Tools belongs to PC\\eve"), std::wstring::npos) << owned;
}

}  // namespace
