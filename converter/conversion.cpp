#include "conversion.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "automation_error.h"
#include "conversion_progress.h"
#include "converter_log.h"
#include "converter_protocol.h"
#include "environment_text.h"
#include "file_system.h"
#include "job_failure.h"
#include "job_names.h"
#include "job_options.h"
#include "job_settings.h"
#include "job_window.h"
#include "last_folder.h"
#include "machine_settings.h"
#include "on_demand_ui.h"
#include "output_name.h"
#include "output_target.h"
#include "output_writer.h"
#include "own_module.h"
#include "path_names.h"
#include "product_names.h"
#include "program_runner.h"
#include "registry_read.h"
#include "system_library.h"
#include "system_message.h"
#include "version_resource.h"

namespace {

std::wstring ProductName() {
  std::wstring name = ReadOwnVersionString(L"ProductName");
  return name.empty() ? product_names::kProductTitle : name;
}

// A machine-wide setting, with its environment references expanded where it is stored so.
std::wstring Setting(machine_settings::TextSetting setting) {
  return RegReadText(std::wstring(product_names::kSettingsValuePath) + setting.name);
}

// The spool file stays for inspection only when the debug marker is in the application folder.
bool KeepSpoolFiles() {
  std::wstring folder = ReadMachineSetting(machine_settings::kAppFolder).value_or(L"");
  if (folder.empty()) folder = OwnModuleFolder();
  return SpoolFilesKeptIn(folder);
}

void DisposeOfSpoolFile(const JobRequest& job) {
  if (!KeepSpoolFiles()) DeleteFileW(job.spoolFile.c_str());
}

// What the file-name template's tokens stand for in this job.
TemplateValues NamesOf(const JobRequest& job) {
  return JobNamesNow(job.documentName, job.printerName, job.sessionId);
}

// `text` with its environment references expanded; as it is when that fails.
std::wstring ExpandedReferences(const std::wstring& text) {
  return ExpandEnvironmentReferences(text).value_or(text);
}

void OpenWithUsersProgram(const std::wstring& file, ConverterLog& log) {
  ShellApartment apartment;
  const auto shellExecute = SystemExport<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (!shellExecute) {
    log.Write(L"Open", L"could not open " + file + L" (" + SystemMessage(GetLastError()) + L")");
    return;
  }
  const auto result = reinterpret_cast<INT_PTR>(
      shellExecute(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32)
    log.Write(L"Open", L"could not open " + file + L" (" + std::to_wstring(result) + L")");
}

// "openafter": only a file of the format's own kind, and only where the user sees it.
void OpenAfterJob(const std::wstring& file, const OutputFormat& format, ConverterLog& log) {
  if (!HasFormatExtension(file, format)) {
    log.Write(L"Open", L"not opened: " + file + L" does not end in an extension of the format " +
                           std::wstring(format.word));
  } else if (!UserCanSeeWindows()) {
    log.Write(L"Open", L"not opened: nobody can see it here");
  } else {
    OpenWithUsersProgram(file, log);
  }
}

// The notice of a file saved without asking: the notifier beside the
// converter takes it over (and hands it to the session's resident one), so
// the converter ends at once as ever.
void HandOverNotice(const std::wstring& file, ConverterLog& log) {
  const std::wstring notifier = OwnModuleFolder() + L"\\" + product_names::kNotifierProgram;
  if (!StartProgram(notifier, {file}))
    log.Write(L"Notice",
              L"could not start " + notifier + L" (" + SystemMessage(GetLastError()) + L")");
}

void Tell(ConverterLog& log, const wchar_t* topic, const std::wstring& text, UINT icon) {
  log.Write(topic, text);
  ShowMessageBox(text, ProductName(), MB_OK | icon);
}

// Where the job window starts: the folder this user last saved into from the
// printer, else the user's Documents (never the printing program's folder).
std::wstring StartFolder(const std::wstring& printerName) {
  std::wstring folder = LastFolder(printerName);
  std::wstring problem;
  return folder.empty() ? UsersDocumentsFolder(problem) : folder;
}

// "Use these settings for every job of this printer": a failure to keep them
// does not stop the job.
void KeepForEveryJob(const JobRequest& job, const JobWindowChoice& choice,
                     const SettingValues& settings, ConverterLog& log) {
  try {
    KeepRegularSettings(job.printerName, SettingsForEveryJob(choice.form, settings));
    log.Write(L"Settings", L"kept for every job of the printer \"" + job.printerName + L"\"");
  } catch (const AutomationError& e) {
    Tell(log, L"Settings", L"The settings could not be kept for every job: " + e.Description(),
         MB_ICONEXCLAMATION);
  }
}

}  // namespace

int ConvertJob(const JobRequest& job) {
  ConverterLog log(Setting(machine_settings::kLogFolder), FolderOf(job.spoolFile));
  log.Write(L"Job", L"session " + job.sessionId + L", document \"" + job.documentName +
                        L"\", printer \"" + job.printerName + L"\"");
  std::optional<std::wstring> claimedRunOnce;  // the run-once file that this job claimed
  std::optional<std::wstring> failure;
  bool finished = false;  // a result is in place or the user cancelled: the spool file can go
  try {
    JobSettings settings;
    try {
      settings = ReadJobSettings(job.printerName);
      claimedRunOnce = settings.claimedRunOnceFile;
    } catch (const AutomationError& e) {
      log.Write(L"Settings", L"not available: " + e.Description());
    }
    const TemplateValues names = NamesOf(job);
    const JobFacts facts{names, ExpandedReferences};
    JobOptions options = ReadJobOptions(settings.values, facts);
    // Saved without asking: the settings named the file or its folder.
    const bool automatic = !options.output.empty();
    // Without a file named by the settings, whoever can see windows is asked.
    std::optional<JobWindowChoice> choice;
    if (!automatic && UserCanSeeWindows()) {
      choice = AskInJobWindow(settings.values, facts, StartFolder(job.printerName));
      if (!choice) throw JobCancelled{};
      options = choice->options;
      if (choice->keepForPrinter) KeepForEveryJob(job, *choice, settings.values, log);
    }
    const OutputTarget target = ChooseOutput(options, names);
    std::vector<std::wstring> written;
    {
      const ConversionProgress progress(job.documentName);
      written = WriteOutput(job.spoolFile, job.sessionId, options, target, log, progress.Watch());
    }
    for (const std::wstring& file : written) log.Write(L"Output", file);
    if (choice) RememberLastFolder(job.printerName, choice->folder);
    if (options.openAfter) {
      OpenAfterJob(written.front(), *options.format, log);
    } else if (automatic && options.notify && UserCanSeeWindows()) {
      HandOverNotice(written.front(), log);
    }
    finished = true;
  } catch (const JobCancelled&) {
    log.Write(L"Job", L"cancelled by the user");
    finished = true;
  } catch (const SettingFailure& settingFailure) {
    failure = settingFailure.Text();
  } catch (const JobFailure& jobFailure) {
    failure = jobFailure.text;
  } catch (const AutomationError& e) {
    failure = e.Description();
  }
  if (finished) DisposeOfSpoolFile(job);
  if (failure) {
    if (IsFile(job.spoolFile)) {
      *failure += L"\n\nThe print job is kept in " + job.spoolFile +
                  L"; it can be converted later from there.";
    }
    Tell(log, L"Error", *failure, MB_ICONERROR);
  }
  if (claimedRunOnce) {
    try {
      RemoveRunOnceSettings(*claimedRunOnce);
    } catch (const AutomationError& e) {
      // No other job reads a claimed file; the user learns that it is still on disk.
      Tell(log, L"Settings",
           L"The run-once settings of this job could not be removed (" + e.Description() +
               L"). No other job uses them.",
           MB_ICONEXCLAMATION);
    }
  }
  return failure ? 1 : 0;
}

int ShowMonitorMessage(const MessageRequest& message) {
  UINT icon = MB_ICONINFORMATION;
  if (message.iconWord == converter_protocol::kErrorIconWord) icon = MB_ICONERROR;
  if (message.iconWord == converter_protocol::kExclamationIconWord) icon = MB_ICONEXCLAMATION;
  if (!UserCanSeeWindows()) {
    ConverterLog(Setting(machine_settings::kLogFolder), {}).Write(L"Message", message.message);
    return 0;
  }
  ShowMessageBox(message.message, ProductName(), MB_OK | icon);
  return 0;
}
