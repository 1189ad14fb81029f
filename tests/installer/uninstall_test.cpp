// The uninstaller removes every trace of the product, also when run twice,
// and the setup program installs where it is told to.
#include <gtest/gtest.h>

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
  ASSERT_GE(RemainingTraces().size(), 18u) << Joined(RemainingTraces());

  EXPECT_EQ(RunUninstaller(), 0u);
  EXPECT_EQ(Joined(RemainingTraces()), L"");
  // Not ours: the file of Wine's driver stays for Wine's own printers.
  EXPECT_EQ(PathExists(WineDriverFile()), wineDriverFile);
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

}  // namespace
