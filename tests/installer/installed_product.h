// A test that runs with the product installed by the setup program into the
// default folder; it is uninstalled afterwards, and what other test programs
// of the prefix rely on is put back.
#pragma once

#include <gtest/gtest.h>

#include "product_setup.h"

class InstalledProduct : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto exitCode = RunSetup();
    ASSERT_TRUE(exitCode.has_value()) << "the setup program did not start";
    ASSERT_EQ(*exitCode, 0u);
  }
  void TearDown() override { RunUninstaller(); }

  const std::wstring folder_ = DefaultProgramFolder();

 private:
  PrefixStateKeeper keeper_;
};
