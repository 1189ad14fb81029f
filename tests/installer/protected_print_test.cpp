// Asking Windows whether protected print mode is on: under Wine, which lacks
// the class, and with a stand-in registered under the class's name; and what
// printer_setup.exe does with the answer.
#include <gtest/gtest.h>

#include <windows.h>

#include "child_process.h"
#include "fake_protected_print_class.h"
#include "protected_print_query.h"
#include "scratch_folder.h"

namespace {

using Kind = ProtectedPrintAnswer::Kind;
using enum ProtectedPrintVerdict;

std::optional<DWORD> RunPrinterSetup(const std::wstring& verb) {
  return RunWithEnvironment(QuoteArgument(WindowsPathOf(PRINTER_SETUP)) + L" " + verb, {});
}

std::wstring FakeLibrary() { return WindowsPathOf(FAKE_PROTECTED_PRINT_CLASS); }

TEST(ProtectedPrintQuery, WindowsWithoutTheClassReadsAsOff) {
  const ProtectedPrintAnswer answer = AskProtectedPrint();
  EXPECT_EQ(answer.kind, Kind::kActivation);
  EXPECT_EQ(JudgeProtectedPrint(answer), kOff) << std::hex << answer.status;
}

TEST(ProtectedPrintQuery, TheClassAnswersThroughItsStaticsAndFailuresReadAsUnknown) {
  const struct {
    const wchar_t* answer;
    Kind kind;
    bool enabled;
    HRESULT status;
    ProtectedPrintVerdict verdict;
  } cases[] = {
      {L"on", Kind::kAnswered, true, S_OK, kOn},
      {L"off", Kind::kAnswered, false, S_OK, kOff},
      {L"unreadable", Kind::kQuery, false, E_ACCESSDENIED, kUnknown},
      {L"refused", Kind::kActivation, false, E_ACCESSDENIED, kUnknown},
  };
  for (const auto& c : cases) {
    const FakeProtectedPrintClass fake(FakeLibrary(), c.answer);
    ASSERT_TRUE(fake);
    const ProtectedPrintAnswer answer = AskProtectedPrint();
    EXPECT_EQ(answer.kind, c.kind) << c.answer << L" " << std::hex << answer.status;
    EXPECT_EQ(answer.enabled, c.enabled) << c.answer;
    EXPECT_EQ(answer.status, c.status) << c.answer;
    EXPECT_EQ(JudgeProtectedPrint(answer), c.verdict) << c.answer;
  }
}

TEST(ProtectedPrintQuery, PrinterSetupChecksAndInstallsOnlyWhileTheModeIsNotOn) {
  const struct {
    const wchar_t* answer;
    const wchar_t* verb;
    DWORD code;
  } cases[] = {
      {L"on", L"check-protected-print", ERROR_ACCESS_DISABLED_BY_POLICY},
      {L"on", L"install", ERROR_ACCESS_DISABLED_BY_POLICY},
      {L"on", L"add-printer Invoices", ERROR_ACCESS_DISABLED_BY_POLICY},
      {L"off", L"check-protected-print", 0},
      {L"unreadable", L"check-protected-print", 0},
  };
  for (const auto& c : cases) {
    const FakeProtectedPrintClass fake(FakeLibrary(), c.answer);
    ASSERT_TRUE(fake);
    EXPECT_EQ(RunPrinterSetup(c.verb), c.code) << c.answer << L" " << c.verb;
  }
}

}  // namespace
