// Time of ParseCommandLine for argument texts of growing size. Parsing is
// linear in the length of the text: each size four times larger should take
// about four times as long. The aim is 1 MiB well under 100 ms; the text of
// 105 000 distinct switches does not always meet it (see below).
//
// Measured under Wine 8 on the shared 2-core build machine (Release build,
// best of 5 per cell; the figures of three runs in a row, idle machine):
//   text               64 KiB    256 KiB      1 MiB
//   many switches     4.0-4.6   17.5-22.8  71.8-123.3 ms
//     split only      0.72      3.0        14.7-15.2 ms
//   quoted name       0.56-0.58 2.5-2.8    13.5-14.2 ms
//   long value        0.05      0.46-0.50  2.2-2.9 ms
// Splitting grows about 4x per step and takes 15 ms for 1 MiB. "many switches"
// also fills a table of about 105 000 distinct keys; the table's hashed index
// (one node per key) is most of that time and is what varies from run to run.
#include <chrono>
#include <cstdio>
#include <string>

#include "command_line.h"

namespace {

// Texts that stress each way of reading: many short switches with values, one
// long quoted name with doubled quotes, one long unquoted value.
std::wstring ManySwitches(size_t length) {
  std::wstring text;
  for (size_t i = 0; text.size() < length; ++i) text += L"/K" + std::to_wstring(i) + L"=v,";
  return text;
}
std::wstring OneQuotedName(size_t length) {
  std::wstring text = L"\"";
  while (text.size() < length) text += L"ab \"\" ";
  return text;
}
std::wstring OneLongValue(size_t length) { return L"k=" + std::wstring(length - 2, L'x'); }

// Best of five runs of `parse` over `text`, in milliseconds.
template <typename Parse>
double BestMilliseconds(const std::wstring& text, Parse parse) {
  double best = 1e9;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const size_t count = parse(text);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (count == 0) std::puts("no tokens");
    best = std::min(best, took.count());
  }
  return best;
}

size_t TableSize(const std::wstring& text) { return ParseCommandLine(text)->Count(); }
size_t TokenCount(const std::wstring& text) { return SplitCommandLine(text).size(); }

}  // namespace

const wchar_t* DefaultErrorSource() noexcept { return L"benchmark"; }

int main() {
  std::printf("%-14s %10s %10s %10s\n", "text", "64 KiB", "256 KiB", "1 MiB");
  struct Row {
    const char* label;
    std::wstring (*make)(size_t);
    size_t (*parse)(const std::wstring&);
  };
  for (const Row& row : {Row{"many switches", &ManySwitches, &TableSize},
                         Row{"  split only", &ManySwitches, &TokenCount},
                         Row{"quoted name", &OneQuotedName, &TableSize},
                         Row{"long value", &OneLongValue, &TableSize}}) {
    std::printf("%-14s", row.label);
    for (size_t kib : {64, 256, 1024}) {
      std::printf(" %7.2f ms", BestMilliseconds(row.make(kib * 1024), row.parse));
    }
    std::printf("\n");
  }
}
