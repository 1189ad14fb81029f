#include "message_box_watcher.h"

#include <gtest/gtest.h>

#include <thread>

TEST(MessageBoxWatcher, RecordsCaptionAndTextAndPressesOk) {
  MessageBoxWatcher watcher;
  int first = 0, second = 0;
  std::thread shower([&] {
    first = MessageBoxW(nullptr, L"first text", L"first caption", MB_OK);
    second = MessageBoxW(nullptr, L"second\ntext", L"second caption", MB_OK | MB_ICONERROR);
  });
  ASSERT_TRUE(watcher.WaitForBoxes(2, 10000));
  shower.join();
  EXPECT_EQ(first, IDOK);
  EXPECT_EQ(second, IDOK);
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].caption, L"first caption");
  EXPECT_EQ(seen[0].text, L"first text");
  EXPECT_EQ(seen[1].caption, L"second caption");
  EXPECT_EQ(seen[1].text, L"second\ntext");
}

TEST(MessageBoxWatcher, WaitTimesOutWhenNoBoxComes) {
  MessageBoxWatcher watcher;
  EXPECT_FALSE(watcher.WaitForBoxes(1, 50));
  EXPECT_EQ(watcher.Count(), 0u);
}
