// What two readers find in a UTF-8 settings file that the store wrote, under
// the ANSI code page that the test runs with (LC_ALL sets it for Wine): the
// platform's GetPrivateProfileStringW, and a reader that takes the file as
// ANSI text, converts it whole and then splits its lines at carriage returns.
// In code pages 936, 949 and 950 the mark's last byte (BF) leads a two-byte
// character, which may swallow the byte after it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "ansi_text.h"
#include "ini_file.h"
#include "ini_text.h"
#include "scratch_folder.h"

namespace {

TEST(CodePageReaders, BothFindTheHeaderOfAUtf8File) {
  const char* expected = std::getenv("EXPECTED_ACP");
  ASSERT_NE(expected, nullptr);
  ASSERT_EQ(GetACP(), std::strtoul(expected, nullptr, 10));
  ScratchFolder folder;
  const std::wstring path = folder / L"settings.ini";
  auto section = std::make_shared<Dictionary>();
  section->Set(L"output", L"c:\\a.pdf");
  section->Set(L"smile", L"\U0001F600");  // in none of these code pages
  auto root = std::make_shared<Dictionary>();
  root->Set(L"PDF Printer", section);
  IniFile ini;
  ini.SetData(root);
  ASSERT_TRUE(ini.Save(path));
  const std::string bytes = ReadFileBytes(path);
  ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");

  wchar_t platform[64] = {};
  GetPrivateProfileStringW(L"PDF Printer", L"output", L"(no entry)", platform, 64, path.c_str());
  Dictionary lines;
  ParseIniText(AnsiToWide(bytes), lines, [] { return std::make_shared<Dictionary>(); });
  const Dictionary::Value* header = lines.Find(L"PDF Printer");
  const DictionaryPtr found = header ? AsDictionary(*header) : nullptr;
  const Dictionary::Value* output = found ? found->Find(L"output") : nullptr;
  const std::wstring lineReader = output ? ToText(*output) : L"(no entry)";
  std::printf("code page %u: GetPrivateProfileStringW \"%ls\", whole-file ANSI reader \"%ls\"\n",
              GetACP(), platform, lineReader.c_str());
  EXPECT_EQ(std::wstring(platform), L"c:\\a.pdf");
  EXPECT_EQ(lineReader, L"c:\\a.pdf");
}

}  // namespace
