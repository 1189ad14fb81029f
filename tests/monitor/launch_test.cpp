// Converter launch and spool file creation, called directly.
#include <gtest/gtest.h>

#include "converter_launch.h"
#include "fake_converter_calls.h"
#include "job_capture.h"
#include "message_box_watcher.h"
#include "registry_override.h"
#include "scratch_folder.h"

namespace {

class Launch : public testing::Test {
 protected:
  Launch() {
    appFolder_.Set(scratch_.Path());
    EXPECT_TRUE(InstallFakeConverter(scratch_.Path()));
  }
  MessageBoxWatcher boxes_;
  ScratchFolder scratch_;
  MonitorSettingOverride appFolder_{L"AppFolder"};
};

TEST_F(Launch, MessagesDoubleTheirBackslashesAndNameTheirIcon) {
  ASSERT_TRUE(GUIMessage(L"Saved to C:\\out\\a.pdf", 16, 10000));  // waits for the converter
  const auto calls = ReadConverterCalls(scratch_.Path());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].commandLine, L"\"" + scratch_.Path() +
                                      L"\\gui.exe\" msg=\"Saved to C:\\\\out\\\\a.pdf\", "
                                      L"icon=\"error\"");
}

TEST_F(Launch, RunGuiFailsWithoutTheProgramOrTheSetting) {
  DeleteFileW((scratch_ / L"gui.exe").c_str());
  EXPECT_FALSE(RunGUI(L"msg=\"x\"", 0));
  appFolder_.Remove();
  EXPECT_FALSE(RunGUI(L"msg=\"x\"", 0));
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_F(Launch, AWaitedProgramHasEndedWhenTheCallReturns) {
  const std::wstring line = L"\"" + scratch_.Path() + L"\\gui.exe\" one";
  ASSERT_TRUE(RunProcessAsUser(line, -1));
  EXPECT_EQ(ReadConverterCalls(scratch_.Path()).size(), 1u);  // already written
}

TEST(SpoolFile, ALeftoverFileOfTheSameNameIsReplaced) {
  ScratchFolder scratch;
  const std::wstring path = scratch / L"id_printer.ps";
  WriteFileBytes(path, "old bytes of an earlier run");
  HANDLE file = CreateSpoolFile(path);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "new", 3, &written, nullptr);
  CloseHandle(file);
  EXPECT_EQ(ReadFileBytes(path), "new");
}

TEST(SpoolFile, IsOpenedExclusively) {
  ScratchFolder scratch;
  const std::wstring path = scratch / L"id_printer.ps";
  HANDLE file = CreateSpoolFile(path);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  CloseHandle(file);
}

}  // namespace
