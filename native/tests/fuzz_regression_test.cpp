// Inputs that the fuzz targets found faults with, kept as tests once fixed.
#include <gtest/gtest.h>

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

}  // namespace
