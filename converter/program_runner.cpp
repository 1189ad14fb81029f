#include "program_runner.h"

#include <windows.h>

#include <optional>
#include <thread>

#include "command_line_quoting.h"
#include "unique_resource.h"

namespace {

// Starts the program; `process` receives its handle where the system gives
// one. With `output`, the program's standard output is that (inheritable) handle.
bool Start(const std::wstring& program, const std::vector<std::wstring>& arguments,
           UniqueHandle& process, HANDLE output = nullptr) {
  std::wstring commandLine = BuildCommandLine(program, arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (output) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
  }
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr,
                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info)) {
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

// Hands everything read from `pipe` to `onOutput` until the pipe's other end is closed.
void ForwardOutput(HANDLE pipe, const std::function<void(std::string_view)>& onOutput) {
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    if (onOutput) onOutput(std::string_view(buffer, read));
  }
}

// The program's standard output as a pipe read on a thread of its own, which
// ends once the program (and whatever inherited the pipe) has let it go.
class OutputPipe {
 public:
  explicit OutputPipe(const RunWatch& watch) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &inheritable, 0)) return;
    read_.reset(read);
    write_.reset(write);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    reader_ = std::thread([this, &watch] { ForwardOutput(read_.get(), watch.onOutput); });
  }
  ~OutputPipe() {
    write_.reset();
    if (reader_.joinable()) reader_.join();
  }
  OutputPipe(const OutputPipe&) = delete;
  OutputPipe& operator=(const OutputPipe&) = delete;

  HANDLE WriteEnd() const { return write_.get(); }
  // Our copy of the write end goes once the program holds its own.
  void Started() { write_.reset(); }

 private:
  UniqueHandle read_;
  UniqueHandle write_;
  std::thread reader_;
};

}  // namespace

bool RunWatch::Cancelled() const {
  return cancel && WaitForSingleObject(static_cast<HANDLE>(cancel), 0) == WAIT_OBJECT_0;
}

bool StartProgram(const std::wstring& program, const std::vector<std::wstring>& arguments) {
  UniqueHandle ignored;
  return Start(program, arguments, ignored);
}

RunResult RunProgram(const std::wstring& program, const std::vector<std::wstring>& arguments,
                     unsigned long timeoutMs, const RunWatch* watch) {
  std::optional<OutputPipe> output;
  if (watch) output.emplace(*watch);
  UniqueHandle process;
  const bool started = Start(program, arguments, process, output ? output->WriteEnd() : nullptr);
  if (output) output->Started();
  if (!started || !process) return RunResult{false, false, 0, L"Could not start " + program};
  HANDLE waits[] = {process.get(), watch ? static_cast<HANDLE>(watch->cancel) : nullptr};
  const DWORD waitCount = waits[1] ? 2 : 1;
  const DWORD waited = WaitForMultipleObjects(waitCount, waits, FALSE, timeoutMs);
  if (waited != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 1);
    // Its files are closed once it has ended: the caller may then remove them.
    WaitForSingleObject(process.get(), 5000);
    if (waited == WAIT_OBJECT_0 + 1) return RunResult{false, true, 0, program + L" was cancelled"};
    return RunResult{false, false, 0, program + L" did not finish in time"};
  }
  DWORD exitCode = 1;
  GetExitCodeProcess(process.get(), &exitCode);
  return RunResult{true, false, exitCode, {}};
}
