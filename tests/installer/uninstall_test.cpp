// The uninstaller removes every trace of the product, also when run twice,
// and the setup program installs where it is told to.
#include <gtest/gtest.h>

#include <windows.h>

#include "child_process.h"
#include "fake_protected_print_class.h"
#include "folder_rights.h"
#include "message_box_watcher.h"
#include "product_names.h"
#include "product_setup.h"
#include "scratch_folder.h"

namespace {

std::wstring Joined(const std::vector<std::wstring>& texts) {
  std::wstring joined;
  for (const std::wstring& text : texts) joined += text + L"; ";
  return joined;
}

class ProductLifecycle : public ::testing::Test {
 protected:
  void TearDown() override { RunUninstaller(); }

 private:
  PrefixStateKeeper keeper_;
};

TEST_F(ProductLifecycle, UninstallRemovesEveryTrace) {
  const bool wineDriverFile = PathExists(WineDriverFile());
  ASSERT_EQ(RunSetup(), 0u);
  // Every kind of trace is there before: the checks can see them.
  ASSERT_GE(RemainingTraces().size(), 25u) << Joined(RemainingTraces());

  EXPECT_EQ(RunUninstaller(), 0u);
  EXPECT_EQ(Joined(RemainingTraces()), L"");
  // Not ours: the file of Wine's driver stays for Wine's own printers.
  EXPECT_EQ(PathExists(WineDriverFile()), wineDriverFile);
}

TEST_F(ProductLifecycle, UninstallRemovesThePrintersAddedOnThePort) {
  ASSERT_EQ(RunSetup(), 0u);
  for (const wchar_t* name : {L"Invoices", L"Labels"}) {
    ASSERT_EQ(RunPrinterSetup(std::wstring(L"add-printer ") + name), 0u) << name;
  }

  EXPECT_EQ(RunUninstaller(), 0u);
  EXPECT_EQ(Joined(RemainingTraces()), L"");
  EXPECT_FALSE(FindPrinter(L"Invoices").has_value());
  EXPECT_FALSE(FindPrinter(L"Labels").has_value());
}

TEST_F(ProductLifecycle, WhileProtectedPrintModeIsOnTheSetupSaysWhyAndInstallsNothing) {
  wchar_t temp[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  const std::wstring log = std::wstring(temp) + L"QuillmarPDFWriterSetup.log";
  DeleteFileW(log.c_str());
  const std::wstring tracesBefore = Joined(RemainingTraces());
  const FakeProtectedPrintClass on(WindowsPathOf(FAKE_PROTECTED_PRINT_CLASS), L"on");
  ASSERT_TRUE(on);
  {
    MessageBoxWatcher boxes(MessageBoxWatcher::Scope::kAnyProcess);
    EXPECT_EQ(RunWithEnvironment(QuoteArgument(WindowsPathOf(SETUP_PROGRAM)), {}), 3u);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_NE(boxes.Seen()[0].text.find(L"Windows protected print mode is on"), std::wstring::npos)
        << boxes.Seen()[0].text;
  }
  EXPECT_EQ(RunSetup(), 3u);

  EXPECT_EQ(Joined(RemainingTraces()), tracesBefore);
  const std::string written = ReadFileBytes(log);
  EXPECT_NE(written.find("exit code 3"), std::string::npos) << written;
  EXPECT_NE(written.find("removes printers that use third-party printing components"),
            std::string::npos)
      << written;
  DeleteFileW(log.c_str());
}

TEST_F(ProductLifecycle, UninstallingTwiceSucceedsAndLeavesNothing) {
  ASSERT_EQ(RunSetup(), 0u);
  ScratchFolder kept;
  ASSERT_TRUE(CopyFileW((DefaultProgramFolder() + L"\\Uninstall.exe").c_str(),
                        (kept / L"Uninstall.exe").c_str(), FALSE));

  EXPECT_EQ(RunUninstallerFrom(kept / L"Uninstall.exe"), 0u);
  EXPECT_EQ(RunUninstallerFrom(kept / L"Uninstall.exe"), 0u);
  EXPECT_EQ(Joined(RemainingTraces()), L"");
}

TEST_F(ProductLifecycle, InstallsIntoTheFolderGivenAndUninstallsFromThere) {
  ScratchFolder parent;
  const std::wstring folder = parent / L"Chosen Folder";
  ASSERT_EQ(RunSetup(folder), 0u);
  EXPECT_TRUE(PathExists(folder + L"\\gui.exe"));
  EXPECT_FALSE(PathExists(DefaultProgramFolder()));
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, L"AppFolder"), folder);
  EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, std::wstring(kSettingsClsidKey) + L"\\InprocServer32", L""),
            folder + L"\\tavrin.dll");

  EXPECT_EQ(RunUninstaller(folder), 0u);
  EXPECT_EQ(Joined(RemainingTraces(folder)), L"");
  EXPECT_TRUE(PathExists(parent.Path()));
}

// What shows under Wine (see folder_rights.h) as well as on Windows: only the owner, Administrators
// and SYSTEM may change the folder; everyone else may read and execute.
TEST_F(ProductLifecycle, TakesAwayOpenRightsFromAFolderOutsideProgramFiles) {
  ScratchFolder parent;
  const std::wstring folder = parent / L"Open Folder";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(OpenToEveryone(folder));
  const auto before = ReadFolderRights(folder);
  ASSERT_TRUE(before.has_value());
  EXPECT_NE(Writers(*before), std::set<std::wstring>{before->owner}) << "the folder was not open";

  ASSERT_EQ(RunSetup(folder), 0u);
  const auto after = ReadFolderRights(folder);
  ASSERT_TRUE(after.has_value());
  std::set<std::wstring> allowedWriters = {after->owner, kAdministrators, kSystem};
  for (const std::wstring& writer : Writers(*after)) {
    EXPECT_TRUE(allowedWriters.count(writer)) << writer << L" may change the folder";
  }
  EXPECT_TRUE(MayReadAndExecute(*after, kUsers) || MayReadAndExecute(*after, kEveryone));

  EXPECT_EQ(RunUninstaller(folder), 0u);
}

// Each refusal of the program folder ends the setup program with exit code 2.
// (A share cannot be tried here: given "/D=\\server\share\...", the setup
// program under Wine installs into the default folder.)
TEST_F(ProductLifecycle, RefusesAProgramFolderBehindALinkOrInAnOpenParentWithExitCodeTwo) {
  ScratchFolder parent;
  const std::wstring target = parent / L"Target";
  const std::wstring open = parent / L"Open";
  ASSERT_TRUE(CreateDirectoryW(target.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(open.c_str(), nullptr));
  ASSERT_TRUE(OpenToEveryone(open));
  ASSERT_TRUE(PlantHostLink(parent / L"Link", target));
  const struct {
    const char* what;
    std::wstring folder;
    std::wstring notMade;
  } cases[] = {
      {"behind a link", parent / L"Link\\PDF Writer", target + L"\\PDF Writer"},
      {"in a folder open to everyone", open + L"\\PDF Writer", open + L"\\PDF Writer"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // What other test programs of the prefix keep registered stays.
    const std::wstring tracesBefore = Joined(RemainingTraces(c.folder));
    EXPECT_EQ(RunSetup(c.folder), 2u);
    EXPECT_FALSE(PathExists(c.notMade));
    EXPECT_EQ(Joined(RemainingTraces(c.folder)), tracesBefore);
  }
  RemoveHostTree(parent.Path());
}

}  // namespace
