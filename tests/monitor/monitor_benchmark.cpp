// Benchmark of the monitor (a program, not a test):
//  1. capture: a 256 MiB job in 64 KiB WritePort calls against the same bytes
//     written with plain WriteFile into the same folder, alternating, 3 rounds;
//  2. output wait: the delay between a file becoming readable and WaitForOutput
//     returning, median of 20 tries.
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
#include "scratch_folder.h"
#include "spooler_stand_in.h"

namespace {

constexpr DWORD kChunk = 64 * 1024;
constexpr DWORD kChunks = 4096;  // 256 MiB
constexpr int kRounds = 5;
constexpr int kWaitTries = 20;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

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

// CreateFile, the writes, flush and close; `writesOnly` gets the time up to the
// last WriteFile.
double PlainWrite(const std::wstring& path, std::vector<char>& chunk, double& writesOnly) {
  const double start = Seconds();
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  for (DWORD i = 0; i < kChunks; ++i) {
    DWORD written = 0;
    WriteFile(file, chunk.data(), kChunk, &written, nullptr);
  }
  writesOnly = Seconds() - start;
  FlushFileBuffers(file);
  CloseHandle(file);
  return Seconds() - start;
}

// The whole job, StartDocPort to EndDocPort (which flushes, closes and starts the
// converter); `writesOnly` gets the time up to the last WritePort, `startDoc` the
// time of StartDocPort alone.
double MonitorJob(const SpoolerStandIn& spooler, std::vector<char>& chunk, double& writesOnly,
                  double& startDoc) {
  HANDLE port = spooler.OpenPort(L"BENCH:");
  const double start = Seconds();
  if (!spooler.StartDoc(port, L"Bench printer", 1, L"Benchmark")) return -1;
  startDoc = Seconds() - start;
  for (DWORD i = 0; i < kChunks; ++i) {
    DWORD written = 0;
    spooler.Table().pfnWritePort(port, reinterpret_cast<LPBYTE>(chunk.data()), kChunk, &written);
  }
  writesOnly = Seconds() - start;
  spooler.EndDoc(port);
  const double total = Seconds() - start;
  spooler.ClosePort(port);
  return total;
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

  std::vector<double> plainWrites, plainWholes, monitorWrites, monitorWholes, startDocs;
  for (int round = 0; round < kRounds; ++round) {
    const std::wstring plainPath = workArea + L"\\plain.ps";
    double plainOnly = 0, monitorOnly = 0, startDoc = 0;
    const double plain = PlainWrite(plainPath, chunk, plainOnly);
    DeleteFileW(plainPath.c_str());
    const double job = MonitorJob(spooler, chunk, monitorOnly, startDoc);
    for (const std::wstring& name : ListFiles(workArea, L"*_printer.ps")) {
      DeleteFileW((workArea + L"\\" + name).c_str());
    }
    std::printf(
        "round %d: writes: plain %.3f s, monitor %.3f s (StartDocPort %.3f s); with "
        "flush and close: plain %.3f s, monitor job (with the converter start) %.3f s\n",
        round + 1, plainOnly, monitorOnly, startDoc, plain, job);
    startDocs.push_back(startDoc);
    plainWrites.push_back(plainOnly);
    plainWholes.push_back(plain);
    monitorWrites.push_back(monitorOnly);
    monitorWholes.push_back(job);
  }
  const double pw = Median(plainWrites), mw = Median(monitorWrites);
  const double pt = Median(plainWholes), mt = Median(monitorWholes), sd = Median(startDocs);
  std::printf(
      "capture of 256 MiB in 64 KiB calls, median of %d rounds:\n"
      "  writes (from CreateFile / StartDocPort): plain WriteFile %.0f MiB/s, monitor "
      "%.0f MiB/s, ratio %.3f\n"
      "  WritePort calls alone (StartDocPort's %.1f ms of job set-up left out): "
      "%.0f MiB/s, ratio %.3f\n"
      "  whole job (with flush and close): plain %.0f MiB/s, monitor %.0f MiB/s, "
      "ratio %.3f\n",
      kRounds, mib / pw, mib / mw, pw / mw, sd * 1000, mib / (mw - sd), pw / (mw - sd), mib / pt,
      mib / mt, pt / mt);
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
    const std::string narrow(path.begin(), path.end());
    const DWORD after = 50 + random() % 200;
    double created = 0;
    std::thread maker([&] {
      Sleep(after);
      WriteFileBytes(path, "%PDF");
      created = Seconds();
    });
    const BOOL found = wait(narrow.c_str(), 10000);
    const double returned = Seconds();
    maker.join();
    delays.push_back(found ? (returned - created) * 1000 : 1e9);
  }
  std::vector<double> sorted = delays;
  std::sort(sorted.begin(), sorted.end());
  const double median = Median(delays);
  std::printf("output wait over %d tries: median delay %.1f ms, min %.1f ms, max %.1f ms\n",
              kWaitTries, median, sorted.front(), sorted.back());
}

}  // namespace

int main() {
  Capture();
  OutputWaitDelay();
  return 0;
}
