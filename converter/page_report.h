// The pages that Ghostscript has done, from its own output. Ghostscript
// reports no pages of PostScript by itself: the page device's EndPage
// procedure below prints "Page N" on standard output after each page it
// renders (not at the device's end). Pure: no platform header.
#pragma once

#include <string>
#include <string_view>

// Ghostscript's "-c" code that makes it report each page done.
inline constexpr wchar_t kPageReportCode[] =
    L"<< /EndPage { dup 2 ne { 1 index 1 add (Page ) print = flush } if exch pop 2 ne } >> "
    L"setpagedevice";

// Reads Ghostscript's standard output piece by piece, in whatever pieces it
// comes, and counts the "Page N" lines; every other line is passed over. The
// lines are counted rather than their numbers read, as EndPage's count starts
// again whenever a job activates a device of its own.
class PageReport {
 public:
  void Feed(std::string_view output);
  // The pages reported so far.
  int PagesDone() const { return pagesDone_; }

 private:
  void EndLine();

  std::string line_;
  bool lineTooLong_ = false;
  int pagesDone_ = 0;
};
