// Each switch's action as the settings component sees it: the objects created
// and released, and the calls by member name with their arguments, in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "action_choice.h"
#include "automation_error.h"

namespace {

struct CallLog {
  std::vector<std::wstring> lines;
  std::wstring failingMember;  // a call of this member raises error 1000
};

std::wstring Describe(const CallArgument& argument) {
  switch (argument.form) {
    case CallArgument::Form::Boolean:
      return argument.boolean ? L"true" : L"false";
    case CallArgument::Form::Text:
      return L"\"" + argument.text + L"\"";
    case CallArgument::Form::TextByReference:
      return L"&\"" + argument.text + L"\"";
  }
  return L"?";
}

// Writes its creation, each call and its release as lines of `log`.
class RecordingObject final : public LateBoundObject {
 public:
  explicit RecordingObject(CallLog& log) : log_(log) { log_.lines.push_back(L"new"); }
  ~RecordingObject() override { log_.lines.push_back(L"release"); }

  void Call(const wchar_t* name, std::span<const CallArgument> arguments) override {
    std::wstring line = std::wstring(name) + L"(";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
      line += (i ? L", " : L"") + Describe(arguments[i]);
    }
    log_.lines.push_back(line + L")");
    if (name == log_.failingMember) RaiseError(1000, L"cannot write");
  }

 private:
  CallLog& log_;
};

}  // namespace

TEST(SwitchActions, CallTheSettingsObjectByNameInOrderAndStopAtAFailure) {
  struct Case {
    const wchar_t* arguments;
    const wchar_t* failingMember;
    std::vector<std::wstring> expected;
  };
  const Case cases[] = {
      {L"/S Output \"C:\\Q3 Reports\\Sales.pdf\"",
       L"",
       {L"new", L"loadsettings(true)", L"SetValue(&\"output\", &\"C:\\Q3 Reports\\Sales.pdf\")",
        L"writesettings(true)", L"release"}},
      {L"/R Output",
       L"",
       {L"new", L"loadsettings(true)", L"SetValue(&\"output\", \"\")", L"writesettings(true)",
        L"release"}},
      {L"-c", L"", {L"new", L"RemoveSettings(true)", L"release"}},
      {L"/S a b", L"loadsettings", {L"new", L"loadsettings(true)", L"release"}},
      {L"/R a",
       L"SetValue",
       {L"new", L"loadsettings(true)", L"SetValue(&\"a\", \"\")", L"release"}},
      {L"/C", L"RemoveSettings", {L"new", L"RemoveSettings(true)", L"release"}},
  };
  for (const Case& c : cases) {
    CallLog log{{}, c.failingMember};
    const ChosenAction chosen = ChooseAction(c.arguments);
    ASSERT_NE(chosen.row, nullptr) << c.arguments;
    int error = 0;
    try {
      chosen.row->action([&log] { return std::make_unique<RecordingObject>(log); }, chosen.values);
    } catch (const AutomationError& raised) {
      error = raised.Number();
    }
    EXPECT_EQ(log.lines, c.expected) << c.arguments;
    EXPECT_EQ(error, *c.failingMember ? 1000 : 0) << c.arguments;
  }
}
