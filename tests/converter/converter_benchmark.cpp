// The converter's own cost: a 1-page job from the converter's start to the
// result in place, against Ghostscript alone with the same arguments on the
// same PostScript, for PDF, PDF/A and the image formats. Each round runs, in
// turn: Ghostscript alone; the converter's job in this process (ConvertJob:
// settings, names, Ghostscript, rename, run-once removal); the same steps
// without Ghostscript, timed directly; and for PDF gui.exe as its own process.
// Prints the medians, and the median of each round's job minus Ghostscript.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "pdf_steps_process.h"
#include "conversion.h"
#include "converter_command_line.h"
#include "ghostscript.h"
#include "job_settings.h"
#include "elapsed.h"
#include "median.h"
#include "converter_benchmark_bed.h"
#include "output_name.h"
#include "output_target.h"
#include "printer_settings.h"
#include "scratch_folder.h"

namespace {

const char kOnePage[] =
    "%!PS\n<< /PageSize [595 842] >> setpagedevice /Helvetica findfont 24 scalefont setfont\n"
    "72 700 moveto (The quick brown fox prints a PDF) show showpage\n";
constexpr int kRounds = 11;
const wchar_t kSession[] = L"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";

void WriteRunOnce(const std::wstring& output, const wchar_t* format) {
  PrinterSettings settings;
  settings.SetValue(L"output", output);
  settings.SetValue(L"format", format);
  settings.WriteSettings(true);
}

void RunGui(const std::wstring& parameters) {
  std::wstring gui = WindowsPathOf(GUI_EXE);
  std::wstring commandLine = ConverterCommandLine(gui.substr(0, gui.rfind(L'\\')), parameters);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return;
  }
  WaitForSingleObject(process.hProcess, 120000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

// The converter's steps around Ghostscript: settings, options, names, the
// search for Ghostscript, the rename into place and the run-once removal.
double StepsWithoutGhostscript(const std::wstring& output, const wchar_t* format,
                               const std::wstring& result) {
  WriteRunOnce(output, format);
  WriteFileBytes(result, "result");
  return Milliseconds([&] {
    const JobSettings settings = ReadJobSettings(L"Printer");
    const TemplateValues names{L"Benchmark",  L"Printer", L"user",
                               L"2026-12-07", L"120000",  kSession};
    const JobOptions options =
        ReadJobOptions(settings.values, {names, [](const std::wstring& text) { return text; }});
    const std::optional<OutputTarget> target = ChooseOutput(options, names);
    FindGhostscript();
    MoveFileExW(result.c_str(), target->path.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (settings.claimedRunOnceFile) RemoveRunOnceSettings(*settings.claimedRunOnceFile);
  });
}

}  // namespace

int main() {
  // ConvertJob runs its PDF steps in this program, started again in that mode.
  if (IsPdfStepsProcess(GetCommandLineW())) return RunPdfStepsProcess();
  const std::optional<GhostscriptProgram> ghostscript = FindGhostscript();
  if (!ghostscript) {
    std::puts("no Ghostscript");
    return 1;
  }
  ConverterBenchmarkBed bed;
  ScratchFolder& work = bed.work;

  const std::wstring spool = work / L"{0F1E}_printer.ps";
  const auto programPath = [&](const std::wstring& path) {
    return PathForGhostscript(*ghostscript, path).value_or(path);
  };
  std::printf("1-page job, medians of %d rounds (ms)\n", kRounds);
  std::printf("%-6s %10s %10s %10s %10s %10s\n", "format", "gs alone", "ConvertJob", "job - gs",
              "own steps", "gui.exe");
  for (const OutputFormat& format : OutputFormats()) {
    const std::wstring name(format.word);
    const std::wstring extension(format.extension);
    std::vector<double> alone, job, difference, steps, process;
    for (int round = 0; round < kRounds; ++round) {
      // Ghostscript alone, with the arguments the converter gives it.
      WriteFileBytes(spool, kOnePage);
      const std::wstring direct = work / (L"direct" + extension);
      GhostscriptJob run{{programPath(spool)},
                         {},
                         &format,
                         150,
                         L"",
                         DocumentInfo{L"Benchmark", L"user", L"", L""}};
      run.outputFile =
          format.onePerPage
              ? GhostscriptPagePattern(programPath(PagePath(SplitExtension(direct), 1)), extension)
              : GhostscriptOutputPath(programPath(direct));
      alone.push_back(
          Milliseconds([&] { RunGhostscript(*ghostscript, GhostscriptArguments(run), 120000); }));

      const std::wstring output = work / (L"job" + extension);
      WriteRunOnce(output, name.c_str());
      job.push_back(Milliseconds([&] {
        ConvertJob(JobRequest{spool, kSession, L"Benchmark", L"Printer"});
      }));
      difference.push_back(job.back() - alone.back());
      steps.push_back(StepsWithoutGhostscript(output, name.c_str(), work / L"result.part"));
      if (&format != &OutputFormats().front()) continue;  // gui.exe for the default only
      WriteFileBytes(spool, kOnePage);
      WriteRunOnce(output, name.c_str());
      process.push_back(
          Milliseconds([&] { RunGui(JobParameters(spool, kSession, L"Benchmark", L"Printer")); }));
    }
    std::printf("%-6ls %10.1f %10.1f %10.1f %10.1f", name.c_str(), Median(alone), Median(job),
                Median(difference), Median(steps));
    if (!process.empty()) std::printf(" %10.1f", Median(process));
    std::printf("\n");
  }
  return bed.ExitCode();
}
