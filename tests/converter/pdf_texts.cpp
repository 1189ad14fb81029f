#include "pdf_texts.h"

#include "scratch_folder.h"
#include "wine_host_bridge.h"

std::vector<int> TextCounts(const std::vector<std::wstring>& folders, const std::string& prefix,
                            int jobs) {
  const ScratchFolder scratch;
  std::string text;
  for (const std::wstring& folder : folders) {
    RunHostProgram(L"Z:\\bin\\sh",
                   {L"-c",
                    L"for f in \"$0\"/*.pdf; do case $f in *.part*) ;; *) pdftotext \"$f\" -;; "
                    L"esac; done >\"$1\" 2>/dev/null",
                    HostPath(folder).value_or(L"/nowhere"), *HostPath(scratch / L"text")},
                   60000);
    text += ReadFileBytes(scratch / L"text");
  }
  std::vector<int> counts(jobs);
  for (int k = 1; k <= jobs; ++k) {
    const std::string needle = prefix + " " + std::to_string(k) + ".";
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
      ++counts[k - 1];
  }
  return counts;
}
