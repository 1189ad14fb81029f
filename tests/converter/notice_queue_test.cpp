#include "notice_queue.h"

#include <gtest/gtest.h>

namespace {

std::wstring LatestFile(const NoticeQueue& queue) {
  return queue.Latest() ? queue.Latest()->file : L"(none)";
}

}  // namespace

// A burst is shown latest first: each dismissal brings back the one before.
TEST(NoticeQueue, ABurstIsShownLatestFirst) {
  NoticeQueue queue(8000);
  queue.Add(L"C:\\out\\a.pdf", 0);
  queue.Add(L"C:\\out\\b.pdf", 10);
  queue.Add(L"C:\\out\\c.pdf", 20);
  for (const wchar_t* expected : {L"C:\\out\\c.pdf", L"C:\\out\\b.pdf", L"C:\\out\\a.pdf"}) {
    EXPECT_EQ(LatestFile(queue), expected);
    queue.DismissLatest();
  }
  EXPECT_EQ(queue.Latest(), nullptr);
  queue.DismissLatest();  // nothing left to dismiss
  EXPECT_EQ(queue.Count(), 0u);
}

// Each notice lives for the lifetime from its arrival; a later one outlives it.
TEST(NoticeQueue, EachNoticeExpiresALifetimeAfterItCame) {
  NoticeQueue queue(100);
  queue.Add(L"a", 1000);
  queue.Add(L"b", 1050);
  const struct {
    unsigned long long now;
    std::size_t count;
    const wchar_t* latest;
  } steps[] = {{1099, 2, L"b"}, {1100, 1, L"b"}, {1149, 1, L"b"}, {1150, 0, L"(none)"}};
  for (const auto& step : steps) {
    queue.DropExpired(step.now);
    EXPECT_EQ(queue.Count(), step.count) << step.now;
    EXPECT_EQ(LatestFile(queue), step.latest) << step.now;
  }
  queue.Add(L"c", 2000);
  queue.Add(L"d", 2000);
  EXPECT_NE(queue.Latest()->number, 0u);
  EXPECT_EQ(queue.Latest()->number, 4u);  // numbers go on, so the shown one is told apart
}

// The balloon names the file and its folder; a cut keeps the count of the others.
TEST(NoticeQueue, TextsNameTheFileItsFolderAndTheOthers) {
  const std::wstring longFolder = L"C:\\" + std::wstring(300, L'f');
  const std::wstring longName = std::wstring(100, L'n') + L".pdf";
  const std::wstring twelveMore = L"\n12 more files were saved.";
  const struct {
    std::wstring file;
    std::size_t others;
    std::wstring title;
    std::wstring text;
  } cases[] = {
      {L"C:\\out\\Memo.pdf", 0, L"Memo.pdf", L"Saved in C:\\out"},
      {L"\\\\server\\share\\x.png", 1, L"x.png",
       L"Saved in \\\\server\\share\n1 more file was saved."},
      {L"C:\\a.pdf", 3, L"a.pdf", L"Saved in C:\n3 more files were saved."},
      {longFolder + L"\\" + longName, 12, longName.substr(0, 60) + L"...",
       (L"Saved in " + longFolder).substr(0, 255 - twelveMore.size() - 3) + L"..." + twelveMore},
  };
  for (const auto& c : cases) {
    const NoticeTexts texts = TextsOf(Notice{c.file, 0, 1}, c.others);
    EXPECT_EQ(texts.title, c.title);
    EXPECT_EQ(texts.text, c.text);
    EXPECT_LE(texts.title.size(), kNoticeTitleRoom);
    EXPECT_LE(texts.text.size(), kNoticeTextRoom);
  }
}
