#include "ini_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "ansi_text.h"
#include "ini_text.h"
#include "scratch_folder.h"
#include "unique_resource.h"

namespace {

DictionaryPtr OneSection(const std::wstring& name, const std::wstring& key,
                         const std::wstring& value) {
  auto section = std::make_shared<Dictionary>();
  section->Set(key, value);
  auto root = std::make_shared<Dictionary>();
  root->Set(name, section);
  return root;
}

class IniFileOnDisk : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  const std::wstring path_ = folder_ / L"settings.ini";
};

TEST_F(IniFileOnDisk, LoadOfAMissingFileFailsWithAnEmptyRootAndSuccessClearsTheError) {
  IniFile ini;
  ini.SetData(OneSection(L"old", L"k", L"v"));
  EXPECT_FALSE(ini.Load(folder_ / L"missing.ini"));
  EXPECT_EQ(ini.LastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(ini.LastErrorMessage().empty());
  ASSERT_TRUE(ini.Data());
  EXPECT_EQ(ini.Data()->Count(), 0u);

  WriteFileBytes(path_, "");
  EXPECT_TRUE(ini.Load(path_));
  EXPECT_EQ(ini.LastError(), 0);
  EXPECT_EQ(ini.LastErrorMessage(), L"");
}

// The test prefix runs with code page 1252: e-acute is 0xE9, the euro sign 0x80.
TEST_F(IniFileOnDisk, TextGoesThroughTheAnsiCodePageBothWays) {
  ASSERT_EQ(GetACP(), 1252u);
  IniFile ini;
  ini.SetData(OneSection(L"PDF Printer", L"caf\u00E9", L"\u20AC"));
  ASSERT_TRUE(ini.Save(path_)) << ini.LastError();
  EXPECT_EQ(ReadFileBytes(path_), "[PDF Printer]\r\n  caf\xE9=\x80\r\n");

  ASSERT_TRUE(ini.Load(path_));
  const DictionaryPtr section = AsDictionary(*ini.Data()->Find(L"PDF Printer"));
  ASSERT_TRUE(section);
  EXPECT_EQ(*AsText(*section->Find(L"caf\u00E9")), L"\u20AC");
}

// A reader that knows only ANSI files (no byte-order mark) skips the mark's own
// line and finds the header and the ASCII entries.
TEST_F(IniFileOnDisk, Utf8FileHasTheByteOrderMarkOnALineOfItsOwn) {
  IniFile ini;
  ini.SetData(OneSection(L"PDF Printer", L"city", L"\u0141\u00F3d\u017A"));
  AsDictionary(*ini.Data()->Find(L"PDF Printer"))->Set(L"output", L"c:\\a.pdf");
  ASSERT_TRUE(ini.Save(path_)) << ini.LastError();
  const std::string bytes = ReadFileBytes(path_);
  EXPECT_EQ(bytes,
            "\xEF\xBB\xBF\r\r\n[PDF Printer]\r\n  city=\xC5\x81\xC3\xB3"
            "d\xC5\xBA\r\n"
            "  output=c:\\a.pdf\r\n");
  const std::wstring written = FormatIniText(*ini.Data());
  ASSERT_TRUE(ini.Load(path_));
  EXPECT_EQ(FormatIniText(*ini.Data()), written);

  Dictionary ansiReader;
  ParseIniText(std::wstring(bytes.begin(), bytes.end()), ansiReader,
               [] { return std::make_shared<Dictionary>(); });
  const DictionaryPtr found = AsDictionary(*ansiReader.Find(L"PDF Printer"));
  ASSERT_TRUE(found && ansiReader.Count() == 1);
  EXPECT_EQ(*AsText(*found->Find(L"output")), L"c:\\a.pdf");
}

// ReplaceFileW keeps a file's attributes on Windows; under Wine the save does.
// A read-only file is not written at all.
TEST_F(IniFileOnDisk, SaveKeepsHiddenAndSystemFilesSoAndLeavesReadOnlyOnesAlone) {
  const DWORD cases[] = {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
                         FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN};
  for (const DWORD attributes : cases) {
    WriteFileBytes(path_, "[PDF Printer]\r\n  old=1\r\n");
    ASSERT_TRUE(SetFileAttributesW(path_.c_str(), attributes));
    const DWORD before = GetFileAttributesW(path_.c_str());
    IniFile ini;
    ini.SetData(OneSection(L"PDF Printer", L"new", L"2"));
    const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    EXPECT_EQ(ini.Save(path_), !readOnly) << attributes;
    EXPECT_EQ(GetFileAttributesW(path_.c_str()), before) << attributes;
    EXPECT_EQ(ReadFileBytes(path_),
              readOnly ? "[PDF Printer]\r\n  old=1\r\n" : "[PDF Printer]\r\n  new=2\r\n")
        << attributes;
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ListFiles(folder_.Path(), L"*"), std::vector<std::wstring>{L"settings.ini"});
  }
}

TEST_F(IniFileOnDisk, FailedSaveLeavesThePreviousFileAndNoTemporaryFile) {
  WriteFileBytes(path_, "[PDF Printer]\r\n  keep=me\r\n");
  {
    // A reader that does not share deletion keeps the file from being replaced.
    UniqueFileHandle reader(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    IniFile ini;
    ini.SetData(OneSection(L"PDF Printer", L"new", L"value"));
    EXPECT_FALSE(ini.Save(path_));
    EXPECT_NE(ini.LastError(), 0);
    EXPECT_FALSE(ini.LastErrorMessage().empty());
  }
  EXPECT_EQ(ReadFileBytes(path_), "[PDF Printer]\r\n  keep=me\r\n");
  EXPECT_EQ(ListFiles(folder_.Path(), L"*"), std::vector<std::wstring>{L"settings.ini"});
}

TEST_F(IniFileOnDisk, SaveFailsIntoAMissingFolderOrWithoutATree) {
  IniFile ini;
  EXPECT_FALSE(ini.Save(path_));
  EXPECT_NE(ini.LastError(), 0);
  EXPECT_FALSE(PathExists(path_));
  ini.SetData(OneSection(L"S", L"k", L"v"));
  EXPECT_FALSE(ini.Save(folder_ / L"no such folder\\x.ini"));
  EXPECT_EQ(ini.LastError(), ERROR_PATH_NOT_FOUND);
}

// A folder whose files may be written but which takes no new file and lets
// none be deleted (made so by the test's fixture): an existing file is
// rewritten in place, a new one cannot be made.
TEST(IniFileInLockedFolder, ExistingFileIsRewrittenInPlaceAndNoNewFileIsMade) {
  const std::wstring folder = WindowsPathOf(LOCKED_FOLDER_UNIX_PATH);
  const std::vector<std::wstring> before = ListFiles(folder, L"*");
  ASSERT_EQ(before, std::vector<std::wstring>{L"settings.ini"}) << "the fixture's folder";
  IniFile ini;
  ini.SetData(OneSection(L"PDF Printer", L"new", L"2"));
  ASSERT_TRUE(ini.Save(folder + L"\\settings.ini")) << ini.LastError();
  EXPECT_EQ(ReadFileBytes(folder + L"\\settings.ini"), "[PDF Printer]\r\n  new=2\r\n");
  ini.SetData(OneSection(L"PDF Printer", L"k", L"v"));
  ASSERT_TRUE(ini.Save(folder + L"\\settings.ini")) << ini.LastError();
  EXPECT_EQ(ReadFileBytes(folder + L"\\settings.ini"), "[PDF Printer]\r\n  k=v\r\n");

  EXPECT_FALSE(ini.Save(folder + L"\\new.ini"));
  EXPECT_EQ(ini.LastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(ListFiles(folder, L"*"), before);
}

// Exact means that the text comes back from the bytes: for UTF-8 and GB 18030
// by a round trip, since they refuse the flags that other code pages take.
TEST(CodePageText, ExactTextStaysInTheCodePageAndOtherTextIsRefused) {
  const struct {
    unsigned codePage;
    std::wstring text;
    std::optional<std::string> bytes;
  } cases[] = {
      {65001, L"[PDF Printer]", "[PDF Printer]"},
      {65001, L"\u0141\u00F3d\u017A",
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA"},
      {65001, L"lone \xD800", std::nullopt},
      {54936, L"output=c:\\a.pdf", "output=c:\\a.pdf"},
      {54936, L"\u6771", "\xB6\xAB"},
      {54936, L"lone \xDC00", std::nullopt},
      {1252, L"caf\u00E9", "caf\xE9"},
      {1252, L"\u0100", std::nullopt},  // best fit would give "A"
      {932, L"\u6771", "\x93\x8C"},
      {932, L"\u0141", std::nullopt},
  };
  for (const auto& c : cases) {
    if (!IsValidCodePage(c.codePage)) continue;  // Wine 8 has no code page 54936
    EXPECT_EQ(WideToCodePageExact(c.text, c.codePage), c.bytes) << c.codePage;
  }
}

}  // namespace
