// Benchmark of the monitor (a program, not a test):
//  1. capture: a 256 MiB job in 64 KiB WritePort calls against the same bytes
//     written with plain WriteFile into the same folder, taking turns, 7 rounds;
//     the rate of the write calls, and the ratios with the job set-up and with
//     the end of the job;
//  2. output wait: the delay between a file being renamed into place and
//     WaitForOutput returning, median of 20 tries (no monitor event: the folder
//     change wakes the waiter).
// Run: build-*/wine-run build-*/tests/monitor/monitor_benchmark.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "fake_converter_calls.h"
#include "registry_override.h"
#include "median.h"
#include "scratch_folder.h"
#include "spooler_stand_in.h"

namespace {

constexpr DWORD kChunk = 64 * 1024;
constexpr DWORD kChunks = 4096;  // 256 MiB
constexpr int kRounds = 7;
constexpr int kWaitTries = 20;

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The three phases of writing one file, in seconds: opening it (CreateFile, or
// the monitor's StartDocPort with its job set-up), the 4096 writes, and ending it
// (flush and close, or EndDocPort, which also starts the converter).
struct Phases {
  double open = 0;
  double writes = 0;
  double end = 0;
  double Whole() const { return open + writes + end; }
};

Phases PlainWrite(const std::wstring& path, std::vector<char>& chunk) {
  Phases phases;
  double mark = Seconds();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  phases.open = Seconds() - mark;
  mark = Seconds();
  for (DWORD i = 0; i < kChunks; ++i) {
    DWORD written = 0;
    WriteFile(file, chunk.data(), kChunk, &written, nullptr);
  }
  phases.writes = Seconds() - mark;
  mark = Seconds();
  FlushFileBuffers(file);
  CloseHandle(file);
  phases.end = Seconds() - mark;
  return phases;
}

Phases MonitorJob(const SpoolerStandIn& spooler, std::vector<char>& chunk) {
  Phases phases;
  HANDLE port = spooler.OpenPort(L"BENCH:");
  double mark = Seconds();
  if (!spooler.StartDoc(port, L"Bench printer", 1, L"Benchmark")) return {};
  phases.open = Seconds() - mark;
  mark = Seconds();
  for (DWORD i = 0; i < kChunks; ++i) {
    DWORD written = 0;
    spooler.Table().pfnWritePort(port, reinterpret_cast<LPBYTE>(chunk.data()), kChunk, &written);
  }
  phases.writes = Seconds() - mark;
  mark = Seconds();
  spooler.EndDoc(port);
  phases.end = Seconds() - mark;
  spooler.ClosePort(port);
  return phases;
}

void Capture() {
  ScratchFolder scratch;
  UserEnvironmentOverride temp(L"TEMP");
  temp.Set(scratch / L"temp");
  MonitorSettingOverride appFolder(L"AppFolder"), logFolder(L"LogFolder");
  CreateDirectoryW((scratch / L"app").c_str(), nullptr);
  InstallFakeConverter(scratch / L"app");
  appFolder.Set(scratch / L"app");
  logFolder.Set(scratch.Path());
  PortRegistryKey key(L"Benchmark", {L"BENCH:"});
  SpoolerStandIn spooler(WindowsPathOf(CORVALE_DLL));
  spooler.Initialize(key.Root());
  const std::wstring workArea = scratch / L"temp\\Quillmar\\PDF Writer";
  CreateDirectoryW((scratch / L"temp").c_str(), nullptr);
  CreateDirectoryW((scratch / L"temp\\Quillmar").c_str(), nullptr);
  CreateDirectoryW(workArea.c_str(), nullptr);

  std::vector<char> chunk(kChunk);
  std::mt19937 random(42);
  for (char& c : chunk) c = static_cast<char>(random());
  const double mib = kChunk / 1048576.0 * kChunks;

  std::vector<double> captureRatios, withSetUpRatios, wholeRatios, plainRates, monitorRates, setUps,
      plainEnds, monitorEnds;
  for (int round = 0; round < kRounds; ++round) {
    const std::wstring plainPath = workArea + L"\\plain.ps";
    Phases plain, job;
    auto runPlain = [&] {
      plain = PlainWrite(plainPath, chunk);
      DeleteFileW(plainPath.c_str());
    };
    auto runMonitor = [&] {
      job = MonitorJob(spooler, chunk);
      // The converter started by EndDocPort must not run into the next measurement.
      WaitForConverterCalls(scratch / L"app", static_cast<size_t>(round) + 1, 10000);
      Sleep(200);
      for (const std::wstring& name : ListFiles(workArea, L"*_printer.ps")) {
        DeleteFileW((workArea + L"\\" + name).c_str());
      }
    };
    // Whichever writes second may find the disk still busy with the first: take turns.
    if (round % 2 == 0) {
      runPlain();
      runMonitor();
    } else {
      runMonitor();
      runPlain();
    }
    std::printf(
        "round %d: plain open %.1f ms, writes %.1f ms, flush and close %.1f ms; monitor "
        "StartDocPort %.1f ms, writes %.1f ms, EndDocPort %.1f ms\n",
        round + 1, plain.open * 1e3, plain.writes * 1e3, plain.end * 1e3, job.open * 1e3,
        job.writes * 1e3, job.end * 1e3);
    captureRatios.push_back(plain.writes / job.writes);
    withSetUpRatios.push_back((plain.open + plain.writes) / (job.open + job.writes));
    wholeRatios.push_back(plain.Whole() / job.Whole());
    plainRates.push_back(mib / plain.writes);
    monitorRates.push_back(mib / job.writes);
    setUps.push_back(job.open * 1e3);
    plainEnds.push_back(plain.end * 1e3);
    monitorEnds.push_back(job.end * 1e3);
  }
  std::printf(
      "capture of 256 MiB in 64 KiB calls, medians of %d rounds:\n"
      "  capture rate: WritePort %.0f MiB/s against WriteFile %.0f MiB/s, ratio %.3f\n"
      "  with the job set-up (StartDocPort %.1f ms) against CreateFile: ratio %.3f\n"
      "  whole job (EndDocPort %.1f ms with the converter start, against flush and close "
      "%.1f ms): ratio %.3f\n",
      kRounds, Median(monitorRates), Median(plainRates), Median(captureRatios), Median(setUps),
      Median(withSetUpRatios), Median(monitorEnds), Median(plainEnds), Median(wholeRatios));
  Sleep(500);  // let the converter processes finish before the folder goes
}

void OutputWaitDelay() {
  ScratchFolder scratch;
  SpoolerStandIn library(WindowsPathOf(CORVALE_DLL));
  auto wait = library.WaitForOutput();
  std::mt19937 random(7);
  std::vector<double> delays;
  for (int i = 0; i < kWaitTries; ++i) {
    const std::wstring path = scratch / (L"out" + std::to_wstring(i) + L".pdf");
    const std::wstring written = scratch / (L"out" + std::to_wstring(i) + L".tmp");
    const std::string narrow(path.begin(), path.end());
    const DWORD after = 50 + random() % 200;
    double created = 0;
    std::thread maker([&] {
      WriteFileBytes(written, "%PDF");
      Sleep(after);
      created = Seconds();
      MoveFileW(written.c_str(), path.c_str());
    });
    const BOOL found = wait(narrow.c_str(), 10000);
    const double returned = Seconds();
    maker.join();
    delays.push_back(found ? (returned - created) * 1000 : 1e9);
  }
  std::vector<double> sorted = delays;
  std::sort(sorted.begin(), sorted.end());
  const double median = Median(delays);
  std::printf(
      "output wait, file renamed into place, %d tries: median delay %.1f ms, min %.1f ms, max %.1f "
      "ms\n",
      kWaitTries, median, sorted.front(), sorted.back());
}

}  // namespace

int main() {
  Capture();
  OutputWaitDelay();
  return 0;
}
