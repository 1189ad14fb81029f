// Jobs that nobody can answer: who can see a window, and where such a job goes.
#include "unattended_job.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned long kVisible = 0x0001;  // WSF_VISIBLE

TEST(UnattendedJob, OnlyTheVisibleInteractiveStationOfAUserSessionIsSeen) {
  const struct {
    DisplayFacts facts;
    bool seen;
  } cases[] = {
      {{1, L"WinSta0", kVisible, L"Default"}, true},
      {{3, L"winsta0", kVisible | 0x2, L"Other desktop"}, true},
      {{0, L"WinSta0", kVisible, L"Default"}, false},  // a service allowed to use the desktop
      {{1, L"Service-0x0-3e7$", kVisible, L"Default"}, false},
      {{1, L"WinSta0", 0, L"Default"}, false},
      {{1, L"WinSta0", kVisible, L"Winlogon"}, false},
      {{1, L"WinSta0", kVisible, L"disconnect"}, false},
      {{std::nullopt, L"WinSta0", kVisible, L"Default"}, false},
      {{1, L"WinSta0", kVisible, L""}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SomeoneCanSeeWindows(c.facts), c.seen)
        << c.facts.sessionId.value_or(99) << " " << c.facts.windowStation.size() << " "
        << c.facts.desktop.size();
  }
}

TEST(UnattendedJob, SavesInPdfWriterOfDocumentsUnderTheDocumentName) {
  const OutputFormat& pdf = OutputFormats().front();
  const TemplateValues names{L"Invoice 7/2026", L"Laser", L"ann", L"2026-01-02", L"101500", L"s"};
  EXPECT_EQ(UnattendedOutputPath(L"C:\\Users\\ann\\Documents\\", names, pdf),
            L"C:\\Users\\ann\\Documents\\PDF Writer\\Invoice 7_2026.pdf");
  EXPECT_EQ(UnattendedOutputPath(L"\\\\server\\home\\ann", {}, OutputFormats()[2]),
            L"\\\\server\\home\\ann\\PDF Writer\\document.png");
  EXPECT_EQ(UnattendedOutputPath(L"Documents", names, pdf), std::nullopt);  // not a full path
  // A long title is cut, as every name made from the template is.
  EXPECT_EQ(UnattendedOutputPath(L"C:\\Users\\ann\\Documents",
                                 {std::wstring(250, L'a'), {}, {}, {}, {}, {}}, pdf),
            L"C:\\Users\\ann\\Documents\\PDF Writer\\" + std::wstring(200, L'a') + L".pdf");
}

}  // namespace
