// The installer's rules for the stored port list and the choice of driver.
#include <gtest/gtest.h>

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

}  // namespace
