// The tool's argument text: any text gives a switch table or the duplicate-key
// error, and the time grows linearly with the length of the text.
#include <time.h>

#include <algorithm>

#include "automation_error.h"
#include "command_line.h"
#include "fuzz_text.h"

namespace {

void Parse(std::wstring_view text) {
  try {
    ParseCommandLine(text);
  } catch (const AutomationError& error) {
    if (error.Number() != Dictionary::kDuplicateKeyError) Finding("an error other than 457");
  }
}

std::wstring Repeated(const std::wstring& text, std::size_t units) {
  std::wstring result;
  result.reserve(units + text.size());
  while (result.size() < units) result += text;
  return result;
}

// The processor time of this thread in nanoseconds: unlike the time on the
// clock, it does not grow while other programs have the processor, so a loaded
// machine (a test run beside builds) gives no false finding.
double ThreadTimeNs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// Fastest of a few runs, in nanoseconds: the least disturbed by other work.
double FastestParse(const std::wstring& text, int runs) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    const double start = ThreadTimeNs();
    Parse(text);
    best = std::min(best, ThreadTimeNs() - start);
  }
  return best;
}

// The input repeated to 1 Ki and 16 Ki code units: linear parsing takes about
// 16 times as long for the longer text, a quadratic one 256 times. Caches and
// the allocator make a linear parser look up to about 3 times slower per unit
// on the longer text (measured), so only a ratio above 100 on a run long
// enough to measure, confirmed by a second series, is a finding.
void CheckLinearTime(const std::wstring& text) {
  constexpr std::size_t kShort = 1024;
  constexpr std::size_t kLong = 16 * kShort;
  constexpr double kMaxRatio = 100.0;
  constexpr double kMeasurableNs = 1e6;
  const std::wstring shortText = Repeated(text, kShort);
  const std::wstring longText = Repeated(text, kLong);
  for (int series = 0; series < 2; ++series) {
    const int runs = series == 0 ? 1 : 5;
    const double longNs = FastestParse(longText, runs);
    if (longNs < kMeasurableNs) return;
    const double ratio = longNs / std::max(FastestParse(shortText, runs), 1.0);
    if (ratio <= kMaxRatio) return;
  }
  Finding("parsing time grows faster than the length of the text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = DecodeUnits(data, size);
  Parse(text);
  if (!text.empty()) CheckLinearTime(text);
  return 0;
}
