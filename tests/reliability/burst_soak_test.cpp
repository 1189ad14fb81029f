// The burst soak: 2,000 one-page jobs (SOAK_JOBS for a shorter trial) through
// the monitor in bursts of 50 printed back to back, each converted by the real
// gui.exe with the host's Ghostscript. The jobs go in turn to three printers
// whose settings save with "number", "append" and "overwrite", one document
// name per burst. After each burst every job's text must be found exactly
// once where its mode puts it; of a burst's "overwrite" jobs, exactly one
// (the last placed) remains. The printing process's handles and memory, and
// the largest converter's memory, must stay flat.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

#include "monitor_fault_bed.h"
#include "printer_settings.h"
#include "process_figures.h"
#include "unique_resource.h"
#include "wine_host_bridge.h"

namespace {

constexpr int kBurst = 50;
constexpr long kHandleNoise = 16;
constexpr long long kMemoryNoise = 4 * 1024 * 1024;
const std::string kModes[] = {"number", "append", "overwrite"};

int Jobs() {
  wchar_t text[16];
  const DWORD length = GetEnvironmentVariableW(L"SOAK_JOBS", text, 16);
  return length > 0 && length < 16 ? std::max(2 * kBurst, _wtoi(text)) : 2000;
}

std::wstring Wide(const std::string& text) { return {text.begin(), text.end()}; }

// How many converters (gui.exe) run now, and the private bytes of the largest.
std::pair<int, std::size_t> RunningConverters() {
  const UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  std::pair<int, std::size_t> found{0, 0};
  for (bool more = snapshot && Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (_wcsicmp(entry.szExeFile, L"gui.exe") != 0) continue;
    ++found.first;
    const UniqueHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID));
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (process && GetProcessMemoryInfo(process.get(), &memory, sizeof memory)) {
      found.second = std::max(found.second, static_cast<std::size_t>(memory.PagefileUsage));
    }
  }
  return found;
}

class BurstSoak : public MonitorFaultBed {
 protected:
  BurstSoak() {
    const std::wstring gui = WindowsPathOf(GUI_EXE);
    appFolder_.Set(gui.substr(0, gui.rfind(L'\\')));
    MakeFolder(L"out");
    // In the printing user's own data folder, where the converters look; the
    // instances are this test's alone.
    for (const std::string& mode : kModes) {
      PrinterSettings settings;
      settings.SetPrinterInstance(L"Soak " + Wide(mode));
      settings.SetValue(L"outputfolder", Folder(L"out\\" + Wide(mode)));
      settings.SetValue(L"existing", Wide(mode));
      settings.WriteSettings(false);
    }
  }
  ~BurstSoak() override {
    for (const std::string& mode : kModes) {
      PrinterSettings settings;
      settings.SetPrinterInstance(L"Soak " + Wide(mode));
      try {
        settings.RemoveSettings(false);
      } catch (...) {
      }
    }
  }

  void PrintBurst(int burst) {
    for (int job = burst * kBurst; job < (burst + 1) * kBurst; ++job) {
      char page[160];
      std::snprintf(page, sizeof page,
                    "%%!PS\n/Helvetica findfont 24 scalefont setfont 72 700 moveto "
                    "(SOAKJOB%06d) show showpage\n",
                    job);
      EXPECT_TRUE(Spooler().PrintJob(kFaultPort, L"Soak " + Wide(kModes[job % 3]), job + 1,
                                     L"burst " + std::to_wstring(burst), {page}));
    }
  }

  // Waits until every spool file of the burst is gone and no converter runs;
  // returns the largest converter's private bytes seen meanwhile.
  std::size_t AwaitBurst() {
    std::size_t largest = 0;
    const bool drained = WaitUntil(
        [&] {
          const auto [running, privateBytes] = RunningConverters();
          largest = std::max(largest, privateBytes);
          return running == 0 && ListFiles(WorkArea(), L"*_printer.ps").empty();
        },
        300000);
    EXPECT_TRUE(drained) << ListFiles(WorkArea(), L"*_printer.ps").size() << " spool files left";
    return largest;
  }

  // Reads the burst's PDFs with the host's pdftotext and removes them; returns
  // what is wrong: each job's text once in its mode's files, one overwrite.
  std::string CheckBurst(int burst) {
    const std::wstring report = Folder(L"report.txt");
    const RunResult run = RunHostProgram(
        L"Z:\\bin\\sh",
        {L"-c",
         L"cd \"$0\" || exit 1; { for f in */*.pdf; do echo \"== $f\"; pdftotext \"$f\" -; done; "
         L"for f in */*.part */*.lock; do if [ -e \"$f\" ]; then echo \"LEFTOVER $f\"; fi; done; "
         L"} >\"$1\"; rm -f */*.pdf",
         HostPath(Folder(L"out")).value_or(L""), HostPath(report).value_or(L"")},
        60000);
    if (!run.finished || run.exitCode != 0) return "pdftotext failed";
    std::map<int, std::vector<std::string>> foundIn;  // job: the modes of the files holding it
    std::map<std::string, int> files;
    std::istringstream lines(ReadFileBytes(report));
    std::ostringstream wrong;
    std::string mode;
    for (std::string line; std::getline(lines, line);) {
      line.erase(0, line.find_first_not_of('\f'));  // pdftotext ends each page with one
      if (line.starts_with("== ")) ++files[mode = line.substr(3, line.find('/') - 3)];
      if (const std::size_t at = line.find("SOAKJOB"); at != std::string::npos) {
        foundIn[std::atoi(line.c_str() + at + 7)].push_back(mode);
      }
      if (line.starts_with("LEFTOVER")) wrong << " " << line << ";";
    }
    int overwrites = 0, numbered = 0;
    for (const auto& [job, modes] : foundIn) {
      if (job / kBurst != burst) wrong << " job " << job << " is not of this burst;";
    }
    for (int job = burst * kBurst; job < (burst + 1) * kBurst; ++job) {
      const std::string& own = kModes[job % 3];
      numbered += own == "number";
      const std::vector<std::string>& modes = foundIn[job];
      if (own == "overwrite" && modes.size() <= 1) overwrites += static_cast<int>(modes.size());
      if (!(modes == std::vector<std::string>{own}) && !(own == "overwrite" && modes.empty())) {
        wrong << " job " << job << " (" << own << ") found " << modes.size() << " times;";
      }
    }
    if (overwrites != 1) wrong << " " << overwrites << " overwrite results;";
    if (files["number"] != numbered || files["append"] != 1 || files["overwrite"] != 1) {
      wrong << " files: " << files["number"] << " number, " << files["append"] << " append, "
            << files["overwrite"] << " overwrite;";
    }
    return wrong.str();
  }

  MessageBoxWatcher anyBoxes_{MessageBoxWatcher::Scope::kAnyProcess};
};

TEST_F(BurstSoak, TwoThousandJobsInBurstsAreEachFoundOnceWhereTheirModePutsThem) {
  const int bursts = Jobs() / kBurst;
  ProcessFigures start, end;
  std::size_t firstConverter = 0, lastConverter = 0;
  int failedBursts = 0;
  for (int burst = 0; burst < bursts; ++burst) {
    PrintBurst(burst);
    lastConverter = AwaitBurst();
    if (burst == 0) firstConverter = lastConverter;
    const std::string wrong = CheckBurst(burst);
    if (!wrong.empty() && failedBursts++ < 5) ADD_FAILURE() << "burst " << burst << ":" << wrong;
    (burst == 0 ? start : end) = CurrentProcessFigures();
    if ((burst + 1) % 10 == 0 || burst + 1 == bursts) {
      std::printf("%s; largest converter %zu KiB\n",
                  Describe(("after " + std::to_string((burst + 1) * kBurst) + " jobs").c_str(),
                           CurrentProcessFigures())
                      .c_str(),
                  lastConverter / 1024);
    }
  }
  std::printf("%s (after the first burst)\n", Describe("start", start).c_str());
  EXPECT_EQ(failedBursts, 0);
  EXPECT_EQ(anyBoxes_.Count(), 0u);
  // Wine keeps one handle for each host program a process starts (measured: 20
  // starts of /bin/sh, 20 more handles); the soak's own check of each burst
  // after the first starts pdftotext, which the product does not.
  const long checksSinceStart = bursts - 1;
  EXPECT_LE(static_cast<long>(end.handles) - static_cast<long>(start.handles) - checksSinceStart,
            kHandleNoise);
  EXPECT_LE(static_cast<long long>(end.privateBytes) - static_cast<long long>(start.privateBytes),
            kMemoryNoise);
  EXPECT_LE(static_cast<long long>(lastConverter) - static_cast<long long>(firstConverter),
            kMemoryNoise);
  EXPECT_GT(start.handles, 0ul);
  EXPECT_GT(firstConverter, 0u);
}

}  // namespace
