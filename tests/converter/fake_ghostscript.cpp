// A stand-in for Ghostscript, named by the machine setting "Ghostscript":
// counts itself in the test's record (fake_ghostscript.h), stays for
// FAKE_GS_MS milliseconds and writes its "-sOutputFile=" file. With
// FAKE_GS_PAGES=n it writes the file first, then does n pages of FAKE_GS_MS
// each, reporting "Page <k>" on its standard output after each, as
// Ghostscript does with the converter's page report.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fake_ghostscript.h"
#include "unique_resource.h"

int wmain(int argc, wchar_t** argv) {
  const UniqueHandle mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, kFakeGhostscriptRuns));
  const UniqueMappedView view(
      mapping ? MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(FakeGhostscriptRuns))
              : nullptr);
  if (!view || argc < 2) return 3;
  auto* runs = static_cast<FakeGhostscriptRuns*>(view.get());
  const LONG running = InterlockedIncrement(&runs->running);
  for (LONG peak = runs->peak; running > peak;) {
    peak = InterlockedCompareExchange(&runs->peak, running, peak);
  }
  const LONG index = InterlockedIncrement(&runs->started) - 1;
  // The job's PostScript: the spool file, "..._printer.ps".
  const wchar_t* spoolFile = L"";
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument.ends_with(L"_printer.ps")) spoolFile = argv[i];
  }
  char job[16] = {};
  const UniqueFileHandle spool(
      CreateFileW(spoolFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  DWORD read = 0;
  if (spool) ReadFile(spool.get(), job, sizeof job - 1, &read, nullptr);
  if (index < kMostFakeRuns) {
    runs->jobs[index] = std::atol(job);
    runs->processes[index] = GetCurrentProcessId();
  }
  wchar_t milliseconds[16] = L"0";
  GetEnvironmentVariableW(L"FAKE_GS_MS", milliseconds, 16);
  wchar_t pages[16] = L"0";
  GetEnvironmentVariableW(L"FAKE_GS_PAGES", pages, 16);
  const auto writeOutput = [&] {
    const std::wstring outputOption = L"-sOutputFile=";
    for (int i = 1; i < argc; ++i) {
      if (std::wstring(argv[i]).rfind(outputOption, 0) != 0) continue;
      const UniqueFileHandle output(CreateFileW(argv[i] + outputOption.size(), GENERIC_WRITE, 0,
                                                nullptr, CREATE_ALWAYS, 0, nullptr));
      DWORD written = 0;
      WriteFile(output.get(), "%PDF-1.4\n", 9, &written, nullptr);
    }
  };
  if (const long pageCount = _wtol(pages); pageCount > 0) {
    writeOutput();
    for (long page = 1; page <= pageCount; ++page) {
      Sleep(static_cast<DWORD>(_wtol(milliseconds)));
      std::printf("Page %ld\n", page);
      std::fflush(stdout);
    }
  } else {
    Sleep(static_cast<DWORD>(_wtol(milliseconds)));
    writeOutput();
  }
  InterlockedDecrement(&runs->running);
  return 0;
}
