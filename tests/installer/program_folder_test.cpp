// printer_setup.exe secure-folder on paths outside Program Files that another
// user could have prepared: what it refuses, and the rights of what it makes.
#include <gtest/gtest.h>

#include <windows.h>

#include "child_process.h"
#include "folder_rights.h"
#include "scratch_folder.h"
#include "setup_error.h"

namespace {

std::optional<DWORD> SecureFolder(const std::wstring& folder) {
  return RunWithEnvironment(QuoteArgument(WindowsPathOf(PRINTER_SETUP)) + L" secure-folder " +
                                QuoteArgument(folder) + L" \"C:\\Program Files\"",
                            {});
}

// The folder "Watched", open to everyone, is a link's target or another
// user's folder: neither its rights nor its contents change.
TEST(ProgramFolderPath, ALinkOrAnotherUsersFolderIsRefusedAndNothingIsMadeOrChangedThroughIt) {
  const struct {
    const char* what;
    const wchar_t* link;  // a host link to Watched, if any
    bool otherOwner;      // Watched given to another host user
    const wchar_t* programFolder;
    DWORD code;
  } cases[] = {
      {"a link on the path", L"Link", false, L"Link\\PDF Writer", kErrorReparsePointEncountered},
      {"the program folder a link", L"Link", false, L"Link", kErrorReparsePointEncountered},
      {"a link in the program folder", L"Program\\x86", false, L"Program",
       kErrorReparsePointEncountered},
      {"another user's folder on the path", nullptr, true, L"Watched\\PDF Writer",
       ERROR_INVALID_OWNER},
      {"another user's program folder", nullptr, true, L"Watched", ERROR_INVALID_OWNER},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder scratch;
    const std::wstring watched = scratch / L"Watched";
    ASSERT_TRUE(CreateDirectoryW(watched.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((scratch / L"Program").c_str(), nullptr));
    ASSERT_TRUE(OpenToEveryone(watched));
    if (c.link) {
      ASSERT_TRUE(PlantHostLink(scratch / c.link, watched));
    }
    if (c.otherOwner) {
      ASSERT_TRUE(GiveToAnotherHostUser(watched));
    }
    const auto before = ReadFolderRights(watched);

    EXPECT_EQ(SecureFolder(scratch / c.programFolder), c.code);
    EXPECT_EQ(ReadFolderRights(watched), before);
    EXPECT_FALSE(PathExists(watched + L"\\PDF Writer"));
    RemoveHostTree(scratch.Path());
  }
}

// No folder of the path inherits its parent's rights, for good or for a
// moment; Everyone, whom the parent may let in, gets nothing.
TEST(ProgramFolderPath, EveryMissingFolderIsMadeWithTheProgramFoldersRights) {
  ScratchFolder scratch;
  const std::wstring top = scratch / L"A";
  const std::wstring folder = top + L"\\B\\PDF Writer";
  ASSERT_EQ(SecureFolder(folder), 0u);
  const auto rights = ReadFolderRights(folder);
  ASSERT_TRUE(rights.has_value());
  for (const std::wstring& made : {top, top + L"\\B", folder}) {
    const auto madeRights = ReadFolderRights(made);
    ASSERT_TRUE(madeRights.has_value()) << made;
    EXPECT_EQ(*madeRights, *rights) << made;
    EXPECT_FALSE(madeRights->allowed.count(kEveryone)) << made;
  }
}

// A parent folder that lets others delete or rename what it holds, or change
// its rights, lets them move the program folder away and build the path again;
// a share's folders belong to its server. Both are refused, nothing is made.
// The program folder itself may be open: it gets its rights.
TEST(ProgramFolderPath, AParentThatOthersMayChangeOrANetworkShareIsRefused) {
  ScratchFolder scratch;
  const std::wstring open = scratch / L"Open";
  ASSERT_TRUE(CreateDirectoryW(open.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((open + L"\\Tools").c_str(), nullptr));
  ASSERT_TRUE(OpenToEveryone(open));
  const struct {
    const char* what;
    std::wstring programFolder;
    DWORD code;
  } cases[] = {
      {"a parent open to everyone", open + L"\\PDF Writer", ERROR_INVALID_ACL},
      {"a grandparent open to everyone", open + L"\\Tools\\PDF Writer", ERROR_INVALID_ACL},
      {"a share", L"\\\\server\\share\\PDF Writer", ERROR_NOT_SUPPORTED},
      {"a share by its long name", L"\\\\?\\UNC\\server\\share\\PDF Writer", ERROR_NOT_SUPPORTED},
      {"the program folder itself open", open, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SecureFolder(c.programFolder), c.code);
  }
  EXPECT_FALSE(PathExists(open + L"\\PDF Writer"));
  EXPECT_FALSE(PathExists(open + L"\\Tools\\PDF Writer"));
}

}  // namespace
