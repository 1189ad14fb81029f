#include "page_report.h"

namespace {

// Longer lines are not page reports; they are not kept.
constexpr std::size_t kLongestReport = 32;
constexpr std::string_view kPagePrefix = "Page ";
constexpr int kMostPages = 99999999;

}  // namespace

void PageReport::Feed(std::string_view output) {
  for (const char c : output) {
    if (c == '\n') {
      EndLine();
    } else if (line_.size() < kLongestReport) {
      line_.push_back(c);
    } else {
      lineTooLong_ = true;
    }
  }
}

void PageReport::EndLine() {
  std::string_view line = line_;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (!lineTooLong_ && line.starts_with(kPagePrefix)) {
    const std::string_view number = line.substr(kPagePrefix.size());
    int page = 0;
    bool digits = !number.empty();
    for (const char c : number) {
      if (c < '0' || c > '9' || page > kMostPages / 10) {
        digits = false;
        break;
      }
      page = page * 10 + (c - '0');
    }
    if (digits && page > 0) ++pagesDone_;
  }
  line_.clear();
  lineTooLong_ = false;
}
