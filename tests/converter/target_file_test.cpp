// What a job does with the target's lock file and the target's rights:
// gui.exe with fake_ghostscript.exe (fake_conversion_bed.h), on lock files and
// targets prepared as another user could (from the host side, as root).
#include <windows.h>

#include <gtest/gtest.h>

#include "fake_conversion_bed.h"
#include "../installer/folder_rights.h"

namespace {

class TargetFile : public FakeConversionBed {
 protected:
  std::wstring Target() const { return work_ / L"Burst.pdf"; }
  std::wstring Lock() const { return Target() + L".lock"; }
};

enum class Squat { kContent, kFolder, kOtherOwner, kLink };

// A lock file that no job made fails an append or an overwrite at once, naming
// it, and is left alone; a numbered job takes no lock and goes on.
TEST_F(TargetFile, ALockFileThatNoJobMadeFailsTheJobAtOnceUnlessItIsNumbered) {
  const struct {
    const char* what;
    const wchar_t* existing;
    Squat squat;
    DWORD exitCode;
    const wchar_t* told;
  } cases[] = {
      {"content, overwrite", L"overwrite", Squat::kContent, 1, L"it is not empty"},
      {"content, append", L"append", Squat::kContent, 1, L"it is not empty"},
      {"a folder", L"overwrite", Squat::kFolder, 1, L"it is a folder"},
      {"another user's", L"append", Squat::kOtherOwner, 1, L"it belongs to S-1-5-7"},
      {"a link", L"overwrite", Squat::kLink, 1, L"it is a junction or symbolic link"},
      {"content, numbered", L"number", Squat::kContent, 0, nullptr},
  };
  int job = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Existing(c.existing);
    WriteFileBytes(Target(), "%PDF-1.4 the earlier job\n");
    switch (c.squat) {
      case Squat::kContent:
        WriteFileBytes(Lock(), "held");
        break;
      case Squat::kFolder:
        ASSERT_TRUE(CreateDirectoryW(Lock().c_str(), nullptr));
        break;
      case Squat::kOtherOwner:
        WriteFileBytes(Lock(), "");
        ASSERT_TRUE(GiveToAnotherHostUser(Lock()));
        break;
      case Squat::kLink:  // to a folder: Wine shows a host link to a file as that file
        CreateDirectoryW((work_ / L"elsewhere").c_str(), nullptr);
        ASSERT_TRUE(PlantHostLink(Lock(), work_ / L"elsewhere"));
        break;
    }
    const ULONGLONG start = GetTickCount64();
    const std::size_t boxesBefore = boxes_.Count();
    const UniqueHandle converter = Start(job++, 0);
    EXPECT_EQ(ExitCode(converter, 30000), c.exitCode);
    TerminateProcess(converter.get(), 0xFFFF);
    EXPECT_LT(GetTickCount64() - start, 20000u);
    EXPECT_TRUE(PathExists(Lock()));
    if (c.told) {
      ASSERT_EQ(boxes_.Count(), boxesBefore + 1);
      const std::wstring text = boxes_.Seen().back().text;
      EXPECT_NE(text.find(Lock()), std::wstring::npos) << text;
      EXPECT_NE(text.find(c.told), std::wstring::npos) << text;
      EXPECT_EQ(ReadFileBytes(Target()), "%PDF-1.4 the earlier job\n");
    } else {
      EXPECT_EQ(ListFiles(work_.Path(), L"Burst*.pdf").size(), 2u);
    }
    RemoveHostTree(Lock());
    for (const std::wstring& name : ListFiles(work_.Path(), L"Burst*.pdf")) {
      DeleteFileW((work_ / name).c_str());
    }
  }
}

// Overwritten, a file keeps the rights it had (Wine shows a DACL only as far
// as Unix mode bits go: here, the write that Everyone was given); a new file
// has the rights of any new file in its folder.
TEST_F(TargetFile, AReplacedFileKeepsItsRightsAndANewOneHasItsFoldersRights) {
  Existing(L"overwrite");
  const std::wstring fresh = work_ / L"fresh.pdf";
  WriteFileBytes(fresh, "");
  ASSERT_EQ(ExitCode(Start(0, 0), 30000), 0u);
  ASSERT_TRUE(PathExists(Target()));
  EXPECT_EQ(ReadFolderRights(Target()), ReadFolderRights(fresh));

  ASSERT_TRUE(OpenToEveryone(Target()));
  const auto opened = ReadFolderRights(Target());
  ASSERT_TRUE(opened.has_value());
  ASSERT_TRUE(Writers(*opened).count(kEveryone));
  ASSERT_EQ(ExitCode(Start(1, 0), 30000), 0u);
  EXPECT_EQ(ReadFolderRights(Target()), opened);
  EXPECT_EQ(boxes_.Count(), 0u);
}

}  // namespace
