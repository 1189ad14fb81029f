#include "conversion.h"

#include <windows.h>
#include <commdlg.h>
#include <objbase.h>

#include "automation_error.h"
#include "converter_log.h"
#include "file_system.h"
#include "ghostscript_command.h"
#include "external_program.h"
#include "job_settings.h"
#include "own_module.h"
#include "path_names.h"
#include "registry_read.h"
#include "version_resource.h"

namespace {

constexpr unsigned long kConversionTimeoutMs = 10 * 60 * 1000;
const wchar_t kSettingsKey[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillmar\\PDF Writer\\Settings\\";

std::wstring ProductName() {
  std::wstring name = ReadOwnVersionString(L"ProductName");
  return name.empty() ? L"Quillmar PDF Writer" : name;
}

std::wstring Setting(const wchar_t* name) {
  bool use64BitView = true;
  const RegistryValue value = RegRead(std::wstring(kSettingsKey) + name, use64BitView);
  const std::wstring* text = std::get_if<std::wstring>(&value);
  return text ? *text : std::wstring();
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// The spool file stays for inspection only when "debug.txt" is in the application folder.
bool KeepSpoolFiles() {
  std::wstring folder = StripTrailingBackslashes(Setting(L"AppFolder"));
  if (folder.empty()) folder = OwnModuleFolder();
  return IsFile(folder + L"\\debug.txt");
}

void DisposeOfSpoolFile(const JobRequest& job) {
  if (!KeepSpoolFiles()) DeleteFileW(job.spoolFile.c_str());
}

// The Save As dialog; empty when the user cancels.
std::wstring AskForOutput(const JobRequest& job) {
  std::wstring suggested = SafeFileName(job.documentName);
  if (suggested.empty()) suggested = L"document";
  suggested += L".pdf";
  std::wstring buffer = suggested;
  buffer.resize(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.lpstrFilter = L"PDF documents (*.pdf)\0*.pdf\0All files (*.*)\0*.*\0";
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrDefExt = L"pdf";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&dialog)) return {};
  return std::wstring(buffer.c_str());
}

struct JobFailure {
  std::wstring text;
};

// Runs Ghostscript into a file beside the output and renames it into place,
// so that no reader ever sees a partial PDF.
void WritePdf(const JobRequest& job, const std::wstring& output) {
  const std::optional<ExternalProgram> ghostscript = FindGhostscript();
  if (!ghostscript) throw JobFailure{L"Ghostscript was not found."};
  if (const std::wstring folder = FolderOf(output); !folder.empty() && !IsFolder(folder)) {
    MkDirRecurse(folder);
  }
  const std::wstring partial = output + L"." + job.sessionId + L".part";
  // A host program needs host paths; a path without one is never handed on
  // as it is (the program would take it for a relative name of its own).
  const auto forProgram = [&](const std::wstring& path) {
    if (!ghostscript->hostProgram) return path;
    if (std::optional<std::wstring> hostPath = HostPath(path)) return *hostPath;
    throw JobFailure{L"The path cannot be handed to Ghostscript: " + path};
  };
  const RunResult run = RunExternalProgram(
      *ghostscript,
      GhostscriptArguments(forProgram(job.spoolFile), forProgram(partial), job.documentName),
      kConversionTimeoutMs);
  if (!run.finished || run.exitCode != 0 || !IsFile(partial)) {
    DeleteFileW(partial.c_str());
    throw JobFailure{run.finished ? L"Ghostscript could not convert " + job.spoolFile +
                                        L" (exit code " + std::to_wstring(run.exitCode) + L")."
                                  : run.failure};
  }
  if (!MoveFileExW(partial.c_str(), output.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(partial.c_str());
    throw JobFailure{L"The PDF could not be written to " + output + L" (error " +
                     std::to_wstring(error) + L")."};
  }
}

}  // namespace

int ConvertJob(const JobRequest& job) {
  ConverterLog log(Setting(L"LogFolder"), FolderOf(job.spoolFile));
  log.Write(L"Job", L"session " + job.sessionId + L", document \"" + job.documentName +
                        L"\", printer \"" + job.printerName + L"\"");
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool runOnceRead = false;
  std::optional<std::wstring> failure;
  try {
    JobSettings settings;
    try {
      settings = ReadJobSettings();
      runOnceRead = true;
    } catch (const AutomationError& e) {
      log.Write(L"Settings", L"not available: " + e.Description());
    }
    std::wstring output = settings.output;
    if (output.empty()) output = AskForOutput(job);
    if (output.empty()) {
      log.Write(L"Job", L"cancelled by the user");
    } else {
      WritePdf(job, output);
      log.Write(L"PDF", output);
    }
  } catch (const JobFailure& jobFailure) {
    failure = jobFailure.text;
  } catch (const AutomationError& e) {
    failure = e.Description();
  }
  DisposeOfSpoolFile(job);
  if (failure) {
    log.Write(L"Error", *failure);
    MessageBoxW(nullptr, failure->c_str(), ProductName().c_str(), MB_OK | MB_ICONERROR);
  }
  if (runOnceRead) {
    try {
      RemoveRunOnceSettings();
    } catch (const AutomationError& e) {
      log.Write(L"Settings", L"run-once settings not removed: " + e.Description());
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return failure ? 1 : 0;
}

int ShowMonitorMessage(const MessageRequest& message) {
  UINT icon = MB_ICONINFORMATION;
  if (message.iconWord == L"error") icon = MB_ICONERROR;
  if (message.iconWord == L"exclamation") icon = MB_ICONEXCLAMATION;
  MessageBoxW(nullptr, message.message.c_str(), ProductName().c_str(), MB_OK | icon);
  return 0;
}
