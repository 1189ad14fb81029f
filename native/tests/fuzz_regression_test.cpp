// Inputs that the fuzz targets found faults with, kept as tests once fixed.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ini_text.h"
#include "registry_path.h"

namespace {

// "HKLM\\Name": the backslash right after the root's is the last one, which
// left an empty key path, and the read went to a value of the root key itself.
TEST(FuzzRegression, RegistryPathWithAnEmptyKeyPathIsRefused) {
  EXPECT_FALSE(SplitRegistryPath(L"HKLM\\\\SAtrwofppEp"));
  EXPECT_FALSE(SplitRegistryPath(L"hkcu\\\\"));
  const auto nested = SplitRegistryPath(L"HKLM\\\\\\Name");
  ASSERT_TRUE(nested);
  EXPECT_EQ(nested->keyPath, L"\\");
  EXPECT_EQ(nested->valueName, L"Name");
}

std::wstring ReadAndWrite(std::wstring_view text) {
  Dictionary root;
  ParseIniText(text, root, [] { return std::make_shared<Dictionary>(); });
  return FormatIniText(root);
}

// A section with an empty name is written as "[]", which reads as no header:
// its entries move up to the root on the next load, where a section named like
// one of them takes that name's place. One pass settles the text.
TEST(FuzzRegression, SettingsTextSettlesAfterOnePass) {
  using namespace std::string_literals;
  const std::wstring first = ReadAndWrite(L"[ ]\r[[]\r[ ]\r[=[\r\\=\0"s);
  EXPECT_EQ(first, L"[]\r\n  [=[\r\n  \\=\0\r\n[[]\r\n"s);
  const std::wstring second = ReadAndWrite(first);
  EXPECT_EQ(second, L"\\=\0\r\n[[]\r\n"s);
  EXPECT_EQ(ReadAndWrite(second), second);
}

}  // namespace
