#include "converter_launch.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "converter_command_line.h"
#include "debug_log.h"
#include "debug_marker.h"
#include "launch_retry.h"
#include "machine_settings.h"
#include "printing_user_token.h"
#include "service_rules.h"
#include "text_rules.h"

namespace {

constexpr TokenFailureMessages kLaunchTokenMessages = {
    L"ImpersonateSelf - error - RunProcessAsUser",
    L"OpenThreadToken2 - error - RunProcessAsUser",
    L"OpenThreadToken - error - RunProcessAsUser",
    false,
};

void Progress(const wchar_t* mark) { DebugLog(L"RunProcessAsUser", L"Impersonate", mark); }

void LaunchLog(const wchar_t* message, const wchar_t* detail = nullptr) {
  DebugLog(L"RunProcessAsUser", message, detail);
}

STARTUPINFOW ConverterStartupInfo() {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwX = startup.dwY = CW_USEDEFAULT;
  startup.dwXSize = startup.dwYSize = CW_USEDEFAULT;
  startup.dwXCountChars = 80;
  startup.dwYCountChars = 25;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_SHOWNORMAL;
  return startup;
}

// Waits for the process; on time-out ends it. Returns whether it ended by itself.
bool WaitForConverter(HANDLE process, const std::wstring& commandLine, int waitMs) {
  const DWORD timeout = waitMs > 0 ? static_cast<DWORD>(waitMs) : INFINITE;
  if (WaitForSingleObject(process, timeout) == WAIT_TIMEOUT) {
    LaunchLog(L"Terminating process", commandLine.c_str());
    TerminateProcess(process, 1);
    return false;
  }
  return true;
}

// The environment the program starts with: the printing user's block, or, when
// it cannot be made, the spooler's own (no block, ANSI flags).
struct LaunchEnvironment {
  UniqueEnvironmentBlock block;
  DWORD creationFlags = CREATE_UNICODE_ENVIRONMENT | NORMAL_PRIORITY_CLASS | CREATE_NEW_CONSOLE;
};

LaunchEnvironment CreateLaunchEnvironment(HANDLE primaryToken) {
  LaunchEnvironment environment{CreateUserEnvironment(primaryToken)};
  if (!environment.block) {
    LaunchLog(L"CreateEnvironmentBlock failed 1");
    environment.creationFlags = NORMAL_PRIORITY_CLASS | CREATE_NEW_CONSOLE;
  }
  return environment;
}

struct ProcessHandles {
  UniqueHandle process;
  UniqueHandle thread;
};

// CreateProcessAsUserW, tried again after a passing failure. Each failure is
// logged; empty handles when every attempt failed.
ProcessHandles CreateProcessWithRetries(HANDLE primaryToken, const std::wstring& commandLine,
                                        const LaunchEnvironment& environment,
                                        STARTUPINFOW& startup) {
  std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back(L'\0');
  for (int attempt = 1;; ++attempt) {
    PROCESS_INFORMATION process{};
    if (CreateProcessAsUserW(primaryToken, nullptr, mutableLine.data(), nullptr, nullptr, FALSE,
                             environment.creationFlags, environment.block.get(), nullptr, &startup,
                             &process)) {
      return {UniqueHandle(process.hProcess), UniqueHandle(process.hThread)};
    }
    const DWORD error = GetLastError();
    wchar_t detail[64];
    swprintf(detail, std::size(detail), L"Error=%d, ProcessId=%d", static_cast<int>(error),
             static_cast<int>(process.dwProcessId));
    LaunchLog(L"CreateProcessAsUser failed");
    LaunchLog(L"CreateProcessAsUser failed", detail);
    if (!IsWorthAnotherLaunchAttempt(error, attempt)) return {};
    Sleep(kLaunchRetryPauseMs);
  }
}

// The terminal session of `token`; 0 when it cannot be read.
DWORD TokenSession(HANDLE token) {
  DWORD sessionId = 0;
  DWORD size = 0;
  if (!GetTokenInformation(token, TokenSessionId, &sessionId, sizeof sessionId, &size)) return 0;
  return sessionId;
}

// Progress marks "1" to "5": the printing user's primary token and environment,
// and the process started with them. Nothing when a token step failed (already
// reported); the token is closed and the impersonation undone on return.
std::optional<ProcessHandles> StartWithPrintingUsersToken(const std::wstring& commandLine,
                                                          STARTUPINFOW& startup) {
  PrintingUserToken token;
  if (!token.Open(TOKEN_DUPLICATE | TOKEN_IMPERSONATE, kLaunchTokenMessages)) return std::nullopt;

  Progress(L"2");
  const UniqueHandle primary = token.DuplicatePrimary();
  if (!primary) {
    LaunchLog(L"Impersonate", L"DuplicateTokenEx - error");
    return std::nullopt;
  }

  // The desktop name must stay writable and alive until the process is made.
  std::wstring desktop;
  if (const wchar_t* name = ConverterDesktop(TokenSession(primary.get()))) {
    desktop = name;
    startup.lpDesktop = desktop.data();
  }

  Progress(L"3");
  LaunchEnvironment environment = CreateLaunchEnvironment(primary.get());

  Progress(L"4");
  ProcessHandles process =
      CreateProcessWithRetries(primary.get(), commandLine, environment, startup);
  startup.lpDesktop = nullptr;
  if (!DestroyUserEnvironment(environment.block)) {
    LaunchLog(L"Error calling DestroyEnvironmentBlock");
  }
  Progress(L"5");
  return process;
}

}  // namespace

BOOL RunProcessAsUser(const std::wstring& commandLine, int waitMs) {
  Progress(L"Start");
  STARTUPINFOW startup = ConverterStartupInfo();
  Progress(L"1");
  const std::optional<ProcessHandles> process = StartWithPrintingUsersToken(commandLine, startup);
  if (!process) return FALSE;
  Progress(L"6");
  if (!process->process) {
    LaunchLog(L"Exit RunProcessAsUser", L"Create process error");
    return FALSE;
  }
  Progress(L"7");
  if (waitMs != 0) {
    Progress(L"8");
    if (!WaitForConverter(process->process.get(), commandLine, waitMs)) return FALSE;
  }
  Progress(L"9");
  Progress(L"End");
  return TRUE;
}

BOOL RunGUI(const std::wstring& parameters, int waitMs) {
  const std::optional<std::wstring> folder = ReadMachineSetting(machine_settings::kAppFolder);
  if (!folder) {
    DebugLog(L"RunGUI", L"Unable to read AppFolder setting from the registry", nullptr);
    return FALSE;
  }
  const std::wstring commandLine = ConverterCommandLine(*folder, parameters);
  DebugLog(L"RunGUI", L"Launch GUI", nullptr);
  if (RunProcessAsUser(commandLine, waitMs)) return TRUE;
  DebugLog(L"RunGUI", L"Launch of GUI failed", commandLine);
  return FALSE;
}

BOOL MakePDF(const JobContext& job, const std::wstring& spoolFile) {
  constexpr wchar_t kSource[] = L"MakePDF";
  BOOL started = FALSE;
  if (const std::wstring workArea = FolderOfPath(spoolFile); workArea.empty()) {
    DebugLog(kSource, L"Unable to determine Work Area", nullptr);
  } else {
    DebugLog(kSource, L"Work Area", workArea);
    DebugLog(kSource, L"PostScript", spoolFile);
    DebugLog(kSource, L"Build parameter string for GUI", nullptr);
    DebugLog(kSource, L"Postscript file", spoolFile);
    DebugLog(kSource, L"Document Name is ", job.documentName);
    DebugLog(kSource, L"Printer Name is ", job.printerName);
    const std::wstring parameters =
        JobParameters(spoolFile, job.sessionId, job.documentName, job.printerName);
    DebugLog(kSource, L"GUI parameters", parameters);
    started = RunGUI(parameters, 0);
  }
  if (started) {
    DebugLog(kSource, L"Cleanup", nullptr);
    DebugLog(kSource, L"Status", L"Success");
    return TRUE;
  }
  RemoveSpoolFileUnlessDebug(kSource, spoolFile);
  DebugLog(kSource, L"Cleanup", nullptr);
  DebugLog(kSource, L"Status", L"Error");
  return FALSE;
}

BOOL GUIMessage(const std::wstring& message, int iconCode, int waitMs) {
  DebugLog(L"GUIMessage", L"GUIMessage", L"Start");
  DebugLog(L"GUIMessage", L"GUIMessage", message);
  return RunGUI(MessageParameters(message, iconCode), waitMs);
}
