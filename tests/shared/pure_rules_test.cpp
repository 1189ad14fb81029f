// Text rules of the shared module that need no system call.
#include <gtest/gtest.h>

#include "character_rules.h"
#include "creation_error.h"
#include "path_names.h"
#include "registry_path.h"

TEST(CreationError, ClassThatCannotBeCreatedGetsTheShortDescription) {
  EXPECT_EQ(CreationErrorNumber(static_cast<std::int32_t>(0x80040154u)), 429);
  EXPECT_EQ(CreationErrorNumber(static_cast<std::int32_t>(0x800401F3u)), 429);
  EXPECT_EQ(CreationErrorDescription(L"Scripting.Dictionary", 429, L"ignored"),
            L"Error creating object: Scripting.Dictionary");
}

TEST(CreationError, OtherNumbersCarryDecimalAndUpperCaseHex) {
  EXPECT_EQ(CreationErrorDescription(L"A.B", 70, L"Permission denied"),
            L"Error creating object: A.B. Error 70 (0x46): Permission denied");
  const auto moduleNotFound = static_cast<std::int32_t>(0x8007007Eu);
  EXPECT_EQ(CreationErrorNumber(moduleNotFound), moduleNotFound);
  EXPECT_EQ(CreationErrorDescription(L"A.B", moduleNotFound, L"Module not found."),
            L"Error creating object: A.B. Error -2147024770 (0x8007007E): Module not found.");
  EXPECT_EQ(CreationErrorDescription(L"", 1, L""), L"Error creating object: . Error 1 (0x1): ");
}

TEST(CreationError, ControlFacilityAndCommonCodesMapToAutomationNumbers) {
  EXPECT_EQ(CreationErrorNumber(static_cast<std::int32_t>(0x800A03E8u)), 1000);
  EXPECT_EQ(CreationErrorNumber(static_cast<std::int32_t>(0x80070005u)), 70);
  EXPECT_EQ(CreationErrorNumber(static_cast<std::int32_t>(0x8007000Eu)), 7);
}

TEST(RegistryPath, RootsInAnyCaseAndTheirShortForms) {
  EXPECT_EQ(ParseRegistryRoot(L"hklm"), RegistryRoot::LocalMachine);
  EXPECT_EQ(ParseRegistryRoot(L"Hkey_Local_Machine"), RegistryRoot::LocalMachine);
  EXPECT_EQ(ParseRegistryRoot(L"HKCR"), RegistryRoot::ClassesRoot);
  EXPECT_EQ(ParseRegistryRoot(L"hkey_current_user"), RegistryRoot::CurrentUser);
  EXPECT_EQ(ParseRegistryRoot(L"HKUR"), RegistryRoot::Users);
  EXPECT_EQ(ParseRegistryRoot(L"HKEY_USERS"), RegistryRoot::Users);
  EXPECT_FALSE(ParseRegistryRoot(L"HKU"));
  EXPECT_FALSE(ParseRegistryRoot(L"HKEY_CURRENT_CONFIG"));
  EXPECT_FALSE(ParseRegistryRoot(L""));
}

TEST(RegistryPath, SplitsAtTheFirstAndLastBackslash) {
  auto split = SplitRegistryPath(L"HKLM\\SOFTWARE\\Quillmar\\PDF Writer\\Settings\\USERDATA");
  ASSERT_TRUE(split);
  EXPECT_EQ(split->root, RegistryRoot::LocalMachine);
  EXPECT_EQ(split->keyPath, L"SOFTWARE\\Quillmar\\PDF Writer\\Settings");
  EXPECT_EQ(split->valueName, L"USERDATA");

  auto defaultValue = SplitRegistryPath(L"hkcu\\Software\\Key\\");
  ASSERT_TRUE(defaultValue);
  EXPECT_EQ(defaultValue->keyPath, L"Software\\Key");
  EXPECT_EQ(defaultValue->valueName, L"");
}

TEST(RegistryPath, MalformedPathsGiveNothing) {
  for (const wchar_t* path : {L"", L"HKLM", L"HKLM\\", L"HKLM\\Name", L"HKU\\Software\\x",
                              L"HKEY_CURRENT_CONFIG\\System\\x", L"\\Software\\x"}) {
    EXPECT_FALSE(SplitRegistryPath(path)) << path;
  }
  EXPECT_FALSE(SplitRegistryPath(std::wstring(L"HKLM\\Soft\0ware\\x", 17)));
}

TEST(PathNames, StripTrailingBackslashesRemovesOnlyBackslashes) {
  EXPECT_EQ(StripTrailingBackslashes(L"C:\\Temp\\\\\\"), L"C:\\Temp");
  EXPECT_EQ(StripTrailingBackslashes(L"\\"), L"");
  EXPECT_EQ(StripTrailingBackslashes(L""), L"");
  EXPECT_EQ(StripTrailingBackslashes(L"C:\\Temp/"), L"C:\\Temp/");
}

TEST(PathNames, SafeFileNameReplacesReservedCharactersAndTrailingDots) {
  EXPECT_EQ(SafeFileName(L"a:b*c?.."), L"a_b_c_");
  EXPECT_EQ(SafeFileName(L"...."), L"");
  EXPECT_EQ(SafeFileName(L"x."), L"x");
  EXPECT_EQ(SafeFileName(L"\\/:*?\"<>|"), L"_________");
  EXPECT_EQ(SafeFileName(L" .lead ing. "), L" .lead ing. ");
  EXPECT_EQ(SafeFolderName(L"PDF Writer: v1."), L"PDF Writer_ v1");
}

namespace {

std::vector<std::wstring> CreatableSteps(const FolderPlan& plan) {
  std::vector<std::wstring> steps;
  for (const FolderStep& step : plan.steps) {
    if (step.mayCreate) steps.push_back(step.path);
  }
  return steps;
}

}  // namespace

TEST(CharacterRules, ControlAndReservedCharactersAtTheirEdges) {
  struct Case {
    wchar_t c;
    bool control;
    bool reserved;
  };
  const Case cases[] = {
      {0x00, true, false},  {0x1F, true, false},  {L' ', false, false},   {L'~', false, false},
      {0x7F, true, false},  {0x80, true, false},  {0x85, true, false},    {0x9F, true, false},
      {0xA0, false, false}, {0xE9, false, false}, {0x2028, false, false}, {L'\\', false, true},
      {L'/', false, true},  {L':', false, true},  {L'*', false, true},    {L'?', false, true},
      {L'"', false, true},  {L'<', false, true},  {L'>', false, true},    {L'|', false, true},
      {L'.', false, false}, {L'_', false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.c));
    EXPECT_EQ(IsControlCharacter(c.c), c.control);
    EXPECT_EQ(IsReservedInFileName(c.c), c.reserved);
    EXPECT_EQ(IsFileNameCharacter(c.c), !c.control && !c.reserved);
  }
}

TEST(FolderPlan, LocalPathNeverCreatesTheDrive) {
  const FolderPlan plan = PlanFolderTree(L"C:\\Data\\A/B");
  EXPECT_EQ(plan.target, L"C:\\Data\\A\\B");
  EXPECT_EQ(plan.steps.size(), 4u);
  EXPECT_EQ(CreatableSteps(plan),
            (std::vector<std::wstring>{L"C:\\Data\\", L"C:\\Data\\A\\", L"C:\\Data\\A\\B\\"}));
}

TEST(FolderPlan, UncPathNeverCreatesServerOrShare) {
  EXPECT_EQ(CreatableSteps(PlanFolderTree(L"\\\\srv\\share\\x")),
            (std::vector<std::wstring>{L"\\\\srv\\share\\x\\"}));
  EXPECT_TRUE(CreatableSteps(PlanFolderTree(L"//srv/share")).empty());
}

TEST(FolderPlan, RelativeTrailingAndDoubledBackslashes) {
  EXPECT_EQ(CreatableSteps(PlanFolderTree(L"a\\b")), (std::vector<std::wstring>{L"a\\b\\"}));
  EXPECT_EQ(CreatableSteps(PlanFolderTree(L"C:\\x\\")),
            (std::vector<std::wstring>{L"C:\\x\\", L"C:\\x\\\\"}));
  EXPECT_EQ(CreatableSteps(PlanFolderTree(L"C:\\x\\\\y")),
            (std::vector<std::wstring>{L"C:\\x\\", L"C:\\x\\\\", L"C:\\x\\\\y\\"}));
  EXPECT_TRUE(PlanFolderTree(L"").steps.empty());
}
