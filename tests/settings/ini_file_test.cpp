#include "ini_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "unique_resource.h"

namespace {

class IniFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"ini_file_test_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
    path_ = folder_ + L"\\settings.ini";
  }
  void TearDown() override {
    WIN32_FIND_DATAW found;
    UniqueFindHandle search(FindFirstFileW((folder_ + L"\\*").c_str(), &found));
    if (search) {
      do {
        DeleteFileW((folder_ + L"\\" + found.cFileName).c_str());
      } while (FindNextFileW(search.get(), &found));
    }
    search.reset();
    RemoveDirectoryW(folder_.c_str());
  }

  void WriteBytes(const std::string& bytes) {
    UniqueFileHandle file(
        CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  }
  std::string ReadBytes() {
    UniqueFileHandle file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!file) return "<missing>";
    std::string bytes(1 << 16, '\0');
    DWORD read = 0;
    ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
  }
  int FilesInFolder() {
    int count = 0;
    WIN32_FIND_DATAW found;
    UniqueFindHandle search(FindFirstFileW((folder_ + L"\\*").c_str(), &found));
    if (!search) return 0;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileW(search.get(), &found));
    return count;
  }
  static DictionaryPtr OneSection(const std::wstring& name, const std::wstring& key,
                                  const std::wstring& value) {
    auto section = std::make_shared<Dictionary>();
    section->Set(key, value);
    auto root = std::make_shared<Dictionary>();
    root->Set(name, section);
    return root;
  }

  std::wstring folder_;
  std::wstring path_;
};

TEST_F(IniFileOnDisk, MissingFileFailsWithAnErrorAndAnEmptyRoot) {
  IniFile ini;
  ini.SetData(OneSection(L"old", L"k", L"v"));
  EXPECT_FALSE(ini.Load(folder_ + L"\\missing.ini"));
  EXPECT_EQ(ini.LastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(ini.LastErrorMessage().empty());
  ASSERT_TRUE(ini.Data());
  EXPECT_EQ(ini.Data()->Count(), 0u);
}

TEST_F(IniFileOnDisk, SuccessClearsTheEarlierError) {
  IniFile ini;
  ASSERT_FALSE(ini.Load(folder_ + L"\\missing.ini"));
  WriteBytes("");
  EXPECT_TRUE(ini.Load(path_));
  EXPECT_EQ(ini.LastError(), 0);
  EXPECT_EQ(ini.LastErrorMessage(), L"");
  EXPECT_EQ(ini.Data()->Count(), 0u);
  ini.Reset();
  EXPECT_FALSE(ini.Data());
}

TEST_F(IniFileOnDisk, SavesExactBytesInTheAnsiCodePage) {
  // The test prefix runs with code page 1252: e-acute is 0xE9, the euro sign 0x80;
  // a character outside the code page becomes "?".
  ASSERT_EQ(GetACP(), 1252u);
  IniFile ini;
  ini.SetData(OneSection(L"PDF Printer", L"caf\u00E9", L"\u20AC \u0416"));
  ASSERT_TRUE(ini.Save(path_)) << ini.LastError();
  EXPECT_EQ(ReadBytes(), "[PDF Printer]\r\n  caf\xE9=\x80 ?\r\n");
}

TEST_F(IniFileOnDisk, LoadsAnsiBytesIntoTheTree) {
  WriteBytes("[PDF Printer]\r\n  caf\xE9 = \x80\r\n");
  IniFile ini;
  ASSERT_TRUE(ini.Load(path_));
  const DictionaryPtr section = AsDictionary(*ini.Data()->Find(L"PDF Printer"));
  ASSERT_TRUE(section);
  EXPECT_EQ(*AsText(*section->Find(L"caf\u00E9")), L"\u20AC");
}

TEST_F(IniFileOnDisk, EmptyRootSavesAnEmptyFile) {
  WriteBytes("old content");
  IniFile ini;
  ini.SetData(std::make_shared<Dictionary>());
  ASSERT_TRUE(ini.Save(path_));
  EXPECT_EQ(ReadBytes(), "");
}

TEST_F(IniFileOnDisk, FailedSaveLeavesThePreviousFileAndNoTemporaryFile) {
  WriteBytes("[PDF Printer]\r\n  keep=me\r\n");
  // A reader that does not share deletion keeps the file from being replaced.
  UniqueFileHandle reader(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(reader);
  IniFile ini;
  ini.SetData(OneSection(L"PDF Printer", L"new", L"value"));
  EXPECT_FALSE(ini.Save(path_));
  EXPECT_NE(ini.LastError(), 0);
  EXPECT_FALSE(ini.LastErrorMessage().empty());
  reader.reset();
  EXPECT_EQ(ReadBytes(), "[PDF Printer]\r\n  keep=me\r\n");
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(IniFileOnDisk, SaveIntoAMissingFolderFails) {
  IniFile ini;
  ini.SetData(OneSection(L"S", L"k", L"v"));
  EXPECT_FALSE(ini.Save(folder_ + L"\\no such folder\\x.ini"));
  EXPECT_EQ(ini.LastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(IniFileOnDisk, SaveWithoutATreeFailsAndKeepsTheFile) {
  WriteBytes("keep");
  IniFile ini;
  EXPECT_FALSE(ini.Save(path_));
  EXPECT_NE(ini.LastError(), 0);
  EXPECT_EQ(ReadBytes(), "keep");
}

TEST_F(IniFileOnDisk, SavedTreeLoadsBackEqual) {
  auto root = OneSection(L"PDF Printer", L"output", L"c:\\document.pdf");
  root->Set(L"top", L"1");
  IniFile writer;
  writer.SetData(root);
  ASSERT_TRUE(writer.Save(path_));
  IniFile reader;
  ASSERT_TRUE(reader.Load(path_));
  EXPECT_EQ(reader.Data()->Keys(), (std::vector<std::wstring>{L"top", L"PDF Printer"}));
  const DictionaryPtr section = AsDictionary(*reader.Data()->Find(L"PDF Printer"));
  ASSERT_TRUE(section);
  EXPECT_EQ(*AsText(*section->Find(L"output")), L"c:\\document.pdf");
}

}  // namespace
