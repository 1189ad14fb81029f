#include "page_report.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int PagesOf(const std::string& output, std::size_t pieceSize) {
  PageReport report;
  for (std::size_t at = 0; at < output.size(); at += pieceSize)
    report.Feed(std::string_view(output).substr(at, pieceSize));
  return report.PagesDone();
}

}  // namespace

// Only whole "Page N" lines count, however the output is cut into pieces.
TEST(PageReport, CountsWholePageLinesInAnyPieces) {
  const std::string longLine(40, 'x');
  const struct {
    std::string output;
    int pages;
  } cases[] = {
      {"", 0},
      {"Page 1\nPage 2\r\nPage 3\n", 3},
      {"Page 7\n", 1},        // EndPage's count may start again: lines are counted
      {"Page 1\nPage 2", 1},  // the second line is not finished
      {"Page\nPage \nPage x\nPage 0\nPages 3\n Page 3\nPage 3 of 5\nError: Page 3\n", 0},
      {"Page -1\nPage 1a\npage 1\n", 0},
      {longLine + "\nPage 4\n", 1},
      {"Page 5" + longLine + "\nPage 6\n", 1},
      {"Page 123456789012\n", 0},
  };
  for (const auto& c : cases) {
    for (const std::size_t pieceSize : {std::size_t{1}, std::size_t{3}, c.output.size() + 1}) {
      EXPECT_EQ(PagesOf(c.output, pieceSize), c.pages) << c.output << " in pieces of " << pieceSize;
    }
  }
}
