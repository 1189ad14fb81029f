// Folder and file tests and MkDirRecurse against real folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "automation_error.h"
#include "file_system.h"
#include "scratch_folder.h"

namespace {

class FileSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"QuillmarFsTest" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
  }
  void TearDown() override { RemoveTree(root_); }

  void MakeFile(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }

  std::wstring root_;
};

}  // namespace

TEST_F(FileSystem, FolderAndFileTests) {
  MakeFile(root_ + L"\\file.txt");
  EXPECT_TRUE(IsFolder(root_));
  EXPECT_TRUE(IsFolder(root_ + L"\\\\\\"));
  EXPECT_FALSE(IsFile(root_));
  EXPECT_FALSE(IsFile(root_ + L"\\"));
  EXPECT_TRUE(IsFile(root_ + L"\\file.txt"));
  EXPECT_FALSE(IsFolder(root_ + L"\\file.txt"));
  EXPECT_FALSE(IsFile(root_ + L"\\missing.txt"));
  EXPECT_FALSE(IsFolder(root_ + L"\\missing"));
  EXPECT_FALSE(IsFolder(L""));
  EXPECT_FALSE(IsFile(L""));
  EXPECT_FALSE(IsFile(root_ + L"\\file.txt" + std::wstring(1, L'\0') + L"x"));
  EXPECT_FALSE(IsFolder(L"Q:\\" + std::wstring(40000, L'a')));
}

TEST_F(FileSystem, WildcardsFollowTheFirstMatch) {
  MakeFile(root_ + L"\\only.txt");
  EXPECT_TRUE(IsFile(root_ + L"\\*.txt"));
  EXPECT_FALSE(IsFolder(root_ + L"\\*.txt"));
  EXPECT_FALSE(IsFile(root_ + L"\\*.none"));
}

TEST_F(FileSystem, MkDirRecurseCreatesEveryMissingLevel) {
  const std::wstring target = root_ + L"\\a/b\\c";
  MkDirRecurse(target);
  EXPECT_TRUE(IsFolder(root_ + L"\\a"));
  EXPECT_TRUE(IsFolder(root_ + L"\\a\\b\\c"));
  MkDirRecurse(target);  // everything exists: nothing to do
  MkDirRecurse(root_ + L"\\a\\b\\c\\");
  MkDirRecurse(L"");
  EXPECT_TRUE(IsFolder(root_ + L"\\a\\b\\c"));
}

TEST_F(FileSystem, MkDirRecurseOfTwoThreadsAtOnceSucceedsForBoth) {
  std::atomic<int> failures{0};
  for (int round = 0; round < 20; ++round) {
    const std::wstring target = root_ + L"\\race" + std::to_wstring(round) + L"\\a\\b\\c";
    std::atomic<int> ready{0};
    auto create = [&] {
      ++ready;
      while (ready < 2) {
      }
      try {
        MkDirRecurse(target);
      } catch (const AutomationError&) {
        ++failures;
      }
    };
    std::thread first(create), second(create);
    first.join();
    second.join();
    ASSERT_TRUE(IsFolder(target));
  }
  EXPECT_EQ(failures, 0);
}

TEST_F(FileSystem, MkDirRecurseNamesTheLevelThatIsAFile) {
  MakeFile(root_ + L"\\blocker");
  const std::wstring target = root_ + L"/blocker/inner";
  try {
    MkDirRecurse(target);
    FAIL() << "no error raised";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 75);
    EXPECT_EQ(e.Source(), L"tests");
    EXPECT_EQ(e.Description(), L"Error creating folder in function MkDirRecurse. Target=" + root_ +
                                   L"\\blocker\\inner, Current=" + root_ +
                                   L"\\blocker\\. Path/File access error");
  }
}

TEST_F(FileSystem, MkDirRecurseNeverCreatesTheFirstPartOfARelativePath) {
  ASSERT_TRUE(SetCurrentDirectoryW(root_.c_str()));
  try {
    MkDirRecurse(L"rel\\sub");
    FAIL() << "no error raised";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 76);
    EXPECT_NE(e.Description().find(L"Target=rel\\sub, Current=rel\\sub\\. Path not found"),
              std::wstring::npos)
        << std::string(e.Description().begin(), e.Description().end());
  }
  EXPECT_FALSE(IsFolder(root_ + L"\\rel"));
  CreateDirectoryW(L"rel", nullptr);
  MkDirRecurse(L"rel\\sub");
  EXPECT_TRUE(IsFolder(root_ + L"\\rel\\sub"));
  SetCurrentDirectoryW(L"C:\\");
}

TEST_F(FileSystem, MkDirRecurseRefusesAnEmbeddedNul) {
  const std::wstring target = root_ + L"\\ok" + std::wstring(1, L'\0') + L"bad";
  EXPECT_THROW(MkDirRecurse(target), AutomationError);
  EXPECT_FALSE(IsFolder(root_ + L"\\ok"));
}
