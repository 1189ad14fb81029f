#include "program_runner.h"

#include <windows.h>

#include "command_line_quoting.h"
#include "unique_resource.h"

namespace {

// Starts the program; `process` receives its handle where the system gives one.
bool Start(const std::wstring& program, const std::vector<std::wstring>& arguments,
           UniqueHandle& process) {
  std::wstring commandLine = BuildCommandLine(program, arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &info)) {
    return false;
  }
  // A host program started under Wine comes back without a process handle and
  // with a thread value that is not a handle of ours: closing it would close
  // whatever handle happens to carry that value (seen: the caller's stdout).
  if (!info.hProcess) return true;
  UniqueHandle thread(info.hThread);
  process.reset(info.hProcess);
  return true;
}

}  // namespace

bool StartProgram(const std::wstring& program, const std::vector<std::wstring>& arguments) {
  UniqueHandle ignored;
  return Start(program, arguments, ignored);
}

RunResult RunProgram(const std::wstring& program, const std::vector<std::wstring>& arguments,
                     unsigned long timeoutMs) {
  UniqueHandle process;
  if (!Start(program, arguments, process) || !process) {
    return RunResult{false, 0, L"Could not start " + program};
  }
  if (WaitForSingleObject(process.get(), timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 1);
    return RunResult{false, 0, program + L" did not finish in time"};
  }
  DWORD exitCode = 1;
  GetExitCodeProcess(process.get(), &exitCode);
  return RunResult{true, exitCode, {}};
}
