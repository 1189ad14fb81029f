// The PDF steps' cost (a program, not a test), medians of rounds taken in turn:
// - one page appended to a 200-page PDF: the whole job (ConvertJob with
//   existing=append: Ghostscript renders the new page, qpdf joins it) against
//   re-rendering the existing PDF and the new page through Ghostscript into
//   one new file, the way appending worked before qpdf;
// - a 100-page job with a user password against the same job without.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "pdf_steps_process.h"
#include "conversion.h"
#include "ghostscript.h"
#include "elapsed.h"
#include "median.h"
#include "pdf_assembly.h"
#include "converter_benchmark_bed.h"
#include "printer_settings.h"
#include "scratch_folder.h"
#include "unique_resource.h"

namespace {

constexpr int kRounds = 7;
const wchar_t kSession[] = L"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";

// `pages` A4 pages of 40 text lines each.
std::string Pages(int pages) {
  return "%!PS\n<< /PageSize [595 842] >> setpagedevice /Helvetica findfont 10 scalefont setfont\n"
         "1 1 " +
         std::to_string(pages) +
         " { /p exch def 1 1 40 { /l exch def 72 800 l 18 mul sub moveto "
         "(Page ) show p 3 string cvs show (, line ) show l 3 string cvs show "
         "(: the quick brown fox jumps over the lazy dog.) show } for showpage } for\n";
}

void WriteRunOnce(const std::vector<std::pair<std::wstring, std::wstring>>& values) {
  PrinterSettings settings;
  for (const auto& [name, value] : values) settings.SetValue(name, value);
  settings.WriteSettings(true);
}

// One job of `postscript` through ConvertJob with the run-once `settings`.
double Job(const std::wstring& spool, const std::string& postscript,
           const std::vector<std::pair<std::wstring, std::wstring>>& settings) {
  WriteFileBytes(spool, postscript);
  WriteRunOnce(settings);
  return Milliseconds([&] { ConvertJob(JobRequest{spool, kSession, L"Benchmark", L"Printer"}); });
}

// Appending as it was before qpdf: Ghostscript reads the existing PDF and the
// new PostScript into one new file, which then replaces the existing one.
double GhostscriptReRender(const GhostscriptProgram& ghostscript, const std::wstring& existing,
                           const std::wstring& spool, const std::wstring& part) {
  const auto forProgram = [&](const std::wstring& path) {
    return PathForGhostscript(ghostscript, path).value_or(path);
  };
  GhostscriptJob run{{forProgram(existing), forProgram(spool)},
                     GhostscriptOutputPath(forProgram(part)),
                     &OutputFormats().front(),
                     150,
                     L"",
                     DocumentInfo{L"Benchmark", L"user", L"", L""}};
  return Milliseconds([&] {
    RunGhostscript(ghostscript, GhostscriptArguments(run), 600000);
    MoveFileExW(part.c_str(), existing.c_str(), MOVEFILE_REPLACE_EXISTING);
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
  const std::wstring existing = work / L"existing 200.pdf";
  Job(spool, Pages(200), {{L"output", existing}});
  const std::string existingBytes = ReadFileBytes(existing);

  std::vector<double> reRender, append, onePage;
  const std::wstring target = work / L"ledger.pdf";
  for (int round = 0; round < kRounds; ++round) {
    WriteFileBytes(target, existingBytes);
    WriteFileBytes(spool, Pages(1));
    reRender.push_back(GhostscriptReRender(*ghostscript, target, spool, work / L"ledger.part"));
    WriteFileBytes(target, existingBytes);
    append.push_back(Job(spool, Pages(1), {{L"output", target}, {L"existing", L"append"}}));
    onePage.push_back(Job(spool, Pages(1), {{L"output", work / L"one page.pdf"}}));
  }
  std::printf(
      "1 page appended to 200 pages, medians of %d rounds (ms): Ghostscript re-render "
      "%.0f, qpdf job %.0f, ratio %.2f\n",
      kRounds, Median(reRender), Median(append), Median(append) / Median(reRender));
  std::printf("  the same 1-page job without append (Ghostscript and the converter) %.0f\n",
              Median(onePage));

  std::vector<double> plain, encrypted, stepAlone, rewriteAlone, stepInProcess, peakMiB;
  const std::string hundred = Pages(100);
  for (int round = 0; round < kRounds; ++round) {
    plain.push_back(Job(spool, hundred, {{L"output", work / L"plain.pdf"}}));
    encrypted.push_back(
        Job(spool, hundred, {{L"output", work / L"locked.pdf"}, {L"userpassword", L"benchmark"}}));
    // The encryption step alone, on the plain result.
    PdfAssembly assembly;
    assembly.input = work / L"plain.pdf";
    assembly.output = work / L"encrypted alone.pdf";
    assembly.encryption = PdfEncryption{L"benchmark", L"", {}};
    stepAlone.push_back(Milliseconds([&] { AssemblePdf(assembly); }));
    // The same step as the converter runs it: in a process of its own, under limits.
    stepInProcess.push_back(Milliseconds([&] {
      const std::wstring output = work / L"encrypted in process.pdf";
      const UniqueFileHandle file(CreateFileW(output.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                              nullptr, CREATE_ALWAYS, 0, nullptr));
      peakMiB.push_back(RunPdfStepsLimited({assembly}, file.get(), nullptr).peakPrivateBytes /
                        1048576.0);
    }));
    // The same read and write of the file without encryption.
    assembly.output = work / L"rewritten alone.pdf";
    assembly.encryption.reset();
    rewriteAlone.push_back(Milliseconds([&] { AssemblePdf(assembly); }));
  }
  const double cost = Median(encrypted) - Median(plain);
  std::printf(
      "100-page job, medians of %d rounds (ms): plain %.0f, AES-256 %.0f, cost %.0f "
      "(%.1f %%)\n",
      kRounds, Median(plain), Median(encrypted), cost, 100 * cost / Median(plain));
  std::printf(
      "  the encryption step alone %.0f (%.1f %% of the plain job); reading and writing the "
      "file without encryption %.0f\n",
      Median(stepAlone), 100 * Median(stepAlone) / Median(plain), Median(rewriteAlone));
  std::printf(
      "  the encryption step in its own limited process %.0f (%.0f more), its peak private "
      "memory %.1f MiB\n",
      Median(stepInProcess), Median(stepInProcess) - Median(stepAlone), Median(peakMiB));
  return bed.ExitCode();
}
