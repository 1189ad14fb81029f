// The job window's costs: from the converter's start (where the printing path
// hands a job over) to its window on screen, and from Save to the file in
// place against Ghostscript alone on the same PostScript, next to the same
// overhead of an automatic job (gui.exe with "output" set, from its start).
// No message-box watch here: it would press Save on the job window.
#include <windows.h>

#include <cstdio>

#include "converter_command_line.h"
#include "dialog_controls.h"
#include "elapsed.h"
#include "ghostscript.h"
#include "median.h"
#include "output_format.h"
#include "printer_settings.h"
#include "registry_override.h"
#include "scratch_folder.h"

namespace {

const char kOnePage[] =
    "%!PS\n<< /PageSize [595 842] >> setpagedevice /Helvetica findfont 24 scalefont setfont\n"
    "72 700 moveto (The quick brown fox prints a PDF) show showpage\n";
constexpr int kRounds = 11;

// Polls every millisecond; false after two minutes.
template <typename Condition>
bool Await(Condition condition) {
  const ULONGLONG end = GetTickCount64() + 120000;
  while (!condition()) {
    if (GetTickCount64() > end) return false;
    Sleep(1);
  }
  return true;
}

struct Converter {
  PROCESS_INFORMATION process{};
  explicit Converter(const std::wstring& spool) {
    std::wstring gui = WindowsPathOf(GUI_EXE);
    std::wstring commandLine = ConverterCommandLine(
        gui.substr(0, gui.rfind(L'\\')), JobParameters(spool, L"1", L"Benchmark", L"Printer"));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                   &startup, &process);
  }
  ~Converter() {
    WaitForSingleObject(process.hProcess, 120000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
};

}  // namespace

int main() {
  const std::optional<GhostscriptProgram> ghostscript = FindGhostscript();
  if (!ghostscript) {
    std::puts("no Ghostscript");
    return 1;
  }
  ScratchFolder data, work, app, out;
  SetEnvironmentVariableW(L"APPDATA", data.Path().c_str());
  MonitorSettingOverride appFolder{L"AppFolder"};
  MonitorSettingOverride logFolder{L"LogFolder"};
  appFolder.Set(app.Path());
  logFolder.Remove();
  const std::wstring spool = work / L"job.ps";
  const OutputFormat& pdf = OutputFormats().front();

  std::vector<double> toWindow, alone, afterSave, automatic;
  for (int round = 0; round < kRounds; ++round) {
    const std::wstring direct = work / L"direct.pdf";
    WriteFileBytes(spool, kOnePage);
    GhostscriptJob run{{PathForGhostscript(*ghostscript, spool).value_or(spool)},
                       {},
                       &pdf,
                       150,
                       L"",
                       DocumentInfo{L"Benchmark", L"user", L"", L""}};
    run.outputFile =
        GhostscriptOutputPath(PathForGhostscript(*ghostscript, direct).value_or(direct));
    alone.push_back(
        Milliseconds([&] { RunGhostscript(*ghostscript, GhostscriptArguments(run), 120000); }));

    HWND window = nullptr;
    const auto start = std::chrono::steady_clock::now();
    {
      Converter job(spool);
      if (!Await([&] { return (window = WaitForDialog(job.process.dwProcessId, 0)) != nullptr; })) {
        std::puts("no job window");
        return 1;
      }
      toWindow.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
      SetControlText(ControlByLabel(window, L"Folder:"), out.Path());
      const std::wstring saved = out / L"Benchmark.pdf";
      DeleteFileW(saved.c_str());
      afterSave.push_back(Milliseconds([&] {
        Click(ControlByText(window, L"Save"));
        Await([&] { return PathExists(saved); });
      }));
    }

    WriteFileBytes(spool, kOnePage);
    PrinterSettings settings;
    settings.SetValue(L"output", out / L"automatic.pdf");
    settings.SetValue(L"existing", L"overwrite");
    settings.WriteSettings(true);
    automatic.push_back(Milliseconds([&] { Converter job(spool); }));
  }
  std::printf("job window, medians of %d rounds (ms)\n", kRounds);
  std::printf("converter start to window on screen: %.1f\n", Median(toWindow));
  std::printf("Ghostscript alone: %.1f\n", Median(alone));
  std::printf("Save to the file in place: %.1f (%.1f over Ghostscript)\n", Median(afterSave),
              Median(afterSave) - Median(alone));
  std::printf("automatic job, start to end: %.1f (%.1f over Ghostscript)\n", Median(automatic),
              Median(automatic) - Median(alone));
  return 0;
}
