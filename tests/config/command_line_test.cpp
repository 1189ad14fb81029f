#include "command_line.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "action_choice.h"
#include "automation_error.h"
#include "program_arguments.h"

namespace {

using Entries = std::vector<std::pair<std::wstring, std::wstring>>;

Entries EntriesOf(std::wstring_view text) {
  Entries entries;
  const DictionaryPtr table = ParseCommandLine(text);
  for (const Dictionary::Entry& entry : *table) {
    entries.emplace_back(entry.key, *AsText(entry.value));
  }
  return entries;
}

// The error number that `action` raised; 0 when it raised none.
template <typename Action>
int ErrorNumberOf(Action action) {
  try {
    action();
  } catch (const AutomationError& error) {
    return error.Number();
  }
  return 0;
}

}  // namespace

TEST(ParseCommandLine, SplitsTokensIntoKeysAndValues) {
  const std::pair<std::wstring, Entries> cases[] = {
      {L"", {}},
      {L"   ", {}},
      {L"  /S Output C:\\a.pdf  ", {{L"s", L""}, {L"output", L""}, {L"c:\\a.pdf", L""}}},
      {L"x=a,b", {{L"x", L"a"}, {L"b", L""}}},
      {L"a=b=c", {{L"a", L"b=c"}}},
      {L"A=MiXed", {{L"a", L"MiXed"}}},
      {L"a = b", {{L"a", L""}, {L"", L""}, {L"b", L""}}},
      {L"=v", {{L"", L"v"}}},
      {L"-", {{L"", L""}}},
      {L"--x /-y", {{L"-x", L""}, {L"-y", L""}}},
      {L"a\tb", {{L"a\tb", L""}}},
      {L"a\"b", {{L"a\"b", L""}}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(EntriesOf(text), expected) << text;
}

TEST(ParseCommandLine, ResolvesQuotedNamesAndValues) {
  const std::pair<std::wstring, Entries> cases[] = {
      {L"\"C:\\My Files\\A.pdf\" x", {{L"c:\\my files\\a.pdf", L""}, {L"x", L""}}},
      {L"\"say \"\"Hi\"\"\"", {{L"say \"hi\"", L""}}},
      {L"\"  padded  \"", {{L"padded", L""}}},
      {L"\"open, end  ", {{L"open, end", L""}}},
      {L"\"quoted\"tail", {{L"quoted", L""}, {L"tail", L""}}},
      {L"\"/S\"", {{L"s", L""}}},
      {L"\"k\"=v", {{L"k", L"v"}}},
      {L"k=\" A, B=C \" n", {{L"k", L"A, B=C"}, {L"n", L""}}},
      {L"k=\"\"\"\"", {{L"k", L"\""}}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(EntriesOf(text), expected) << text;
}

TEST(ChooseAction, PicksTheRowFromTheSwitchesAndTheirCount) {
  struct Case {
    const wchar_t* text;
    wchar_t letter;  // of the chosen row; 0: none, the usage is shown
    std::vector<std::wstring> values;
  };
  const Case cases[] = {
      {L"", 0, {}},
      {L"/C extra", 0, {}},
      {L"/S Output=C:\\a.pdf", 0, {}},
      {L"/X", 0, {}},
      {L"-c", L'c', {}},
      {L"r Output", L'r', {L"output"}},
      {L"/s X Y", L's', {L"x", L"Y"}},
      {L"/S Output=C:\\a.pdf x", L's', {L"output", L"x"}},
      {L"/S Output \"C:\\Reports\\Q3 Final.pdf\"", L's', {L"output", L"C:\\Reports\\Q3 Final.pdf"}},
      {L"/S Title Title", L's', {L"title", L"Title"}},
      {L"/S x S", L's', {L"x", L"S"}},
      {L"/S Output C:\\a=b.pdf", L's', {L"output", L"C:\\a=b.pdf"}},
  };
  for (const Case& c : cases) {
    const ChosenAction action = ChooseAction(c.text);
    EXPECT_EQ(action.row ? action.row->letter : 0, c.letter) << c.text;
    EXPECT_EQ(action.values, c.values) << c.text;
  }
}

TEST(ParseCommandLine, KeysThatCollideRaiseTheDuplicateKeyError) {
  for (const wchar_t* text : {L"/S /S", L"Name NAME", L"/s -S", L"a,,b,,", L"\"x\" x"}) {
    EXPECT_EQ(ErrorNumberOf([&] { ParseCommandLine(text); }), Dictionary::kDuplicateKeyError)
        << text;
  }
  // The value of s is no switch, but the switches themselves still may not collide.
  for (const wchar_t* text : {L"/S s x", L"/R r", L"/C -c", L"/S a b b c"}) {
    EXPECT_EQ(ErrorNumberOf([&] { ChooseAction(text); }), Dictionary::kDuplicateKeyError) << text;
  }
}

TEST(ArgumentText, DropsTheProgramPathQuotedOrNot) {
  EXPECT_EQ(ArgumentText(L"\"C:\\Program Files\\config.exe\"  /S a \"b c\""), L"/S a \"b c\"");
  EXPECT_EQ(ArgumentText(L"C:\\tools\\config.exe\t/C"), L"/C");
  EXPECT_EQ(ArgumentText(L"config.exe"), L"");
  EXPECT_EQ(ArgumentText(L"\"C:\\a b\\config.exe\"   "), L"");
  EXPECT_EQ(ArgumentText(L"\"unclosed path /C"), L"");
}
