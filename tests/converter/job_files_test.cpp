// The job's own files: beside the target only files that the job made itself,
// and in the user's work area the leftovers of jobs that ended are swept while
// those of running jobs stay.
#include <windows.h>

#include <gtest/gtest.h>

#include "partial_files.h"
#include "scratch_folder.h"
#include "work_files.h"

TEST(JobFiles, ANamePlantedBesideTheTargetIsNeverWrittenInto) {
  ScratchFolder folder;
  const std::wstring planted =
      L"report.s1." + std::to_wstring(GetCurrentProcessId()) + L".1.part.pdf";
  WriteFileBytes(folder / planted, "planted");
  std::wstring made;
  {
    PartialFiles partial(folder / L"report.pdf", L"s1");
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(partial.Create(), "new", 3, &written, nullptr));
    made = partial.LastName();
    partial.Close();
    EXPECT_EQ(ReadFileBytes(made), "new");
  }
  EXPECT_NE(made, folder / planted);
  EXPECT_EQ(ReadFileBytes(folder / planted), "planted");
  // The job's own file, never placed, is gone with the job.
  EXPECT_EQ(ListFiles(folder.Path(), L"*"), std::vector<std::wstring>{planted});
}

TEST(JobFiles, TheNextJobSweepsTheLeftoversOfEndedJobsOnly) {
  ScratchFolder area;
  // A job that ended: its marker is gone, or there and held by nobody.
  const std::wstring ended[] = {L"~pdfjob-00000001000000AA.part.pdf",
                                L"~pdfjob-00000001000000AA.live",
                                L"~pdfjob-00000002000000BB.part-2.png"};
  for (const std::wstring& name : ended) WriteFileBytes(area / name, "left over");
  // Names that are not a job's, and a folder of the pattern.
  const std::vector<std::wstring> others = {L"1_printer.ps", L"report.part.pdf",
                                            L"~pdfjob-notatoken.pdf"};
  for (const std::wstring& name : others) WriteFileBytes(area / name, "other");
  ASSERT_TRUE(CreateDirectoryW((area / L"~pdfjob-00000003000000CC.part.pdf").c_str(), nullptr));
  // A job still running, of this process.
  WorkFiles running(area.Path(), L".pdf", false);
  WriteFileBytes(running.First(), "running");

  SweepWorkArea(area.Path());

  for (const std::wstring& name : ended) EXPECT_FALSE(PathExists(area / name)) << name.c_str();
  for (const std::wstring& name : others) EXPECT_TRUE(PathExists(area / name)) << name.c_str();
  EXPECT_TRUE(PathExists(area / L"~pdfjob-00000003000000CC.part.pdf"));
  EXPECT_EQ(ReadFileBytes(running.First()), "running");
}
