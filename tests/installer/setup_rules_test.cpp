// The installer's rules for the stored port list, the choice of driver, the
// program folder, printer names and Windows protected print mode.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "driver_choice.h"
#include "port_values.h"
#include "printer_name_rule.h"
#include "program_folder_rule.h"
#include "protected_print_rule.h"
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

TEST(PrinterNameRule, NamesThatWindowsRefusesOrThatWouldReachBeyondAPrinterAreFaults) {
  using enum PrinterNameFault;
  const std::wstring longest(kMaxPrinterNameLength, L'x');
  const struct {
    std::wstring name;
    PrinterNameFault fault;
  } cases[] = {
      {L"Invoices", kNone},
      {L"Invoices: A4/B (2nd floor) \u00C4", kNone},
      {longest, kNone},
      {L"", kEmpty},
      {longest + L"x", kTooLong},
      {L" Invoices", kOuterSpace},
      {L"Invoices ", kOuterSpace},
      {L"\\\\server\\Invoices", kReservedCharacter},  // another machine's printer
      {L"Invoices,XcvMonitor Quillmar Printer Monitor", kReservedCharacter},
      {L"Invoices!", kReservedCharacter},
      {L"In\tvoices", kControlCharacter},
      {std::wstring(L"In\0voices", 9), kControlCharacter},
      {L"Invoices\u0085", kControlCharacter},  // C1 NEXT LINE
      {L" \tInvoices", kControlCharacter},     // the first fault found is named
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindPrinterNameFault(c.name), c.fault) << c.name;
  }
}

TEST(PrinterNameRule, MessagesShowTheNameWithoutItsControlCharacters) {
  const std::wstring text = PrinterNameFaultText(PrinterNameFault::kControlCharacter, L"Bad\nName");
  EXPECT_NE(text.find(L"\"Bad?Name\""), std::wstring::npos) << text;
  EXPECT_NE(PrinterNameFaultText(PrinterNameFault::kTooLong, std::wstring(300, L'x')).find(L"300"),
            std::wstring::npos);
}

TEST(PrinterNameRule, APrinterIsOnOurPortWhenItsPortListHoldsItInAnyCase) {
  const struct {
    const wchar_t* ports;
    bool holds;
  } cases[] = {
      {L"QUILLMAR:", true},
      {L"quillmar:", true},
      {L"LPT1:,QUILLMAR:", true},
      {L"LPT1:, QUILLMAR:,FILE:", true},
      {L"LPT1:", false},
      {L"QUILLMAR:X", false},
      {L"QUILLMAR", false},
      {L"XQUILLMAR:,LPT1:", false},
      {L"", false},
      {L",", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PortListHolds(c.ports, kPortName), c.holds) << c.ports;
  }
  EXPECT_FALSE(PortListHolds(L"LPT1:,", L""));
}

TEST(ProtectedPrint, OnlyAnAnswerOfOnRefusesAndAMissingClassReadsAsOff) {
  using Kind = ProtectedPrintAnswer::Kind;
  using enum ProtectedPrintVerdict;
  const std::int32_t classNotRegistered = static_cast<std::int32_t>(0x80040154);
  const std::int32_t accessDenied = static_cast<std::int32_t>(0x80070005);
  const struct {
    ProtectedPrintAnswer answer;
    ProtectedPrintVerdict verdict;
  } cases[] = {
      {{Kind::kAnswered, true, 0}, kOn},
      {{Kind::kAnswered, false, 0}, kOff},
      {{Kind::kRuntimeMissing, false, 0}, kOff},               // before Windows 8
      {{Kind::kActivation, false, classNotRegistered}, kOff},  // before 24H2, Wine
      {{Kind::kActivation, false, static_cast<std::int32_t>(0x80040111)}, kOff},
      {{Kind::kActivation, false, static_cast<std::int32_t>(0x80004002)}, kOff},
      {{Kind::kActivation, false, accessDenied}, kUnknown},
      {{Kind::kActivation, true, accessDenied}, kUnknown},  // no answer was given
      {{Kind::kQuery, false, accessDenied}, kUnknown},
      {{Kind::kQuery, true, classNotRegistered}, kUnknown},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JudgeProtectedPrint(c.answer), c.verdict)
        << static_cast<int>(c.answer.kind) << L" " << c.answer.enabled << L" " << c.answer.status;
  }
}

TEST(ProtectedPrint, TheRefusalSaysWhyNothingIsInstalledAndAFailureNamesItsCode) {
  const std::wstring unknown = ProtectedPrintStatusText(
      {ProtectedPrintAnswer::Kind::kQuery, false, static_cast<std::int32_t>(0x80070005)});
  EXPECT_NE(unknown.find(L"0x80070005"), std::wstring::npos) << unknown;
  const std::wstring refusal = ProtectedPrintRefusalText();
  for (const wchar_t* words :
       {L"protected print mode is on", L"removes printers that use third-party printing",
        L"cannot work while the mode is on", L"Nothing was installed"}) {
    EXPECT_NE(refusal.find(words), std::wstring::npos) << words;
  }
}

}  // namespace
