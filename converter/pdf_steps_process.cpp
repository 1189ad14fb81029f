#include "pdf_steps_process.h"

#include <fcntl.h>
#include <io.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

#include "command_line_reader.h"
#include "job_failure.h"
#include "own_module.h"
#include "unique_resource.h"

namespace {

constexpr DWORD kMemoryPollMs = 20;

std::wstring Mebibytes(std::size_t bytes) { return std::to_wstring(bytes >> 20) + L" MiB"; }

// All of a pipe or file, as UTF-16 text, until its end.
std::wstring ReadAll(HANDLE from) {
  std::string bytes;
  char block[4096];
  DWORD read = 0;
  while (ReadFile(from, block, sizeof block, &read, nullptr) && read > 0) bytes.append(block, read);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

bool WriteAll(HANDLE to, const std::wstring& text) {
  const char* bytes = reinterpret_cast<const char*>(text.data());
  std::size_t left = text.size() * sizeof(wchar_t);
  while (left > 0) {
    DWORD written = 0;
    if (!WriteFile(to, bytes, static_cast<DWORD>(std::min<std::size_t>(left, 65536)), &written,
                   nullptr)) {
      return false;
    }
    bytes += written;
    left -= written;
  }
  return true;
}

// A handle value of the steps' process as a C stream of its own.
std::FILE* StreamOf(std::uint64_t handle, const char* mode, int flags) {
  if (handle == 0) return nullptr;
  const int descriptor = _open_osfhandle(static_cast<intptr_t>(handle), flags | _O_BINARY);
  return descriptor < 0 ? nullptr : _fdopen(descriptor, mode);
}

struct StreamCloser {
  void operator()(std::FILE* stream) const {
    if (stream) std::fclose(stream);
  }
};
using UniqueStream = std::unique_ptr<std::FILE, StreamCloser>;

PdfStepsAnswer Run(const PdfStepsRequest& request) {
  PdfAssembly assembly = request.assembly;
  const UniqueStream output(StreamOf(request.outputHandle, "wb", 0));
  const UniqueStream existing(StreamOf(request.existingHandle, "rb", _O_RDONLY));
  if (!output || (request.existingHandle != 0 && !existing)) {
    return {PdfFailure{L"", assembly.output, L"the job's files did not reach the PDF steps"}};
  }
  assembly.outputFile = output.get();
  assembly.existingFile = existing.get();
  try {
    AssemblePdf(assembly);
  } catch (const PdfFailure& failure) {
    return {failure};
  }
  return {};
}

// A pipe whose one end the child inherits.
struct Pipe {
  UniqueHandle read;
  UniqueHandle write;
};

Pipe ChildPipe(bool childReads) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  Pipe pipe;
  if (!CreatePipe(pipe.read.put(), pipe.write.put(), &inherit, 0)) {
    throw JobFailure{L"The PDF steps could not be started (pipe, error " +
                     std::to_wstring(GetLastError()) + L")."};
  }
  SetHandleInformation(childReads ? pipe.write.get() : pipe.read.get(), HANDLE_FLAG_INHERIT, 0);
  return pipe;
}

// The Job object of the steps: a memory limit, and the process ended with
// the converter (the job closes with its last handle) or on a crash.
UniqueHandle LimitingJob() {
  UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
  if (!job) return job;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY |
                                            JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE |
                                            JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
  limits.ProcessMemoryLimit = kPdfStepsMemoryLimit;
  SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

// A copy of `handle` that the child inherits (at the same value). Under Wine
// a handle duplicated into a child created suspended was not valid there.
UniqueHandle InheritableCopy(HANDLE handle) {
  UniqueHandle copy;
  if (handle && handle != INVALID_HANDLE_VALUE) {
    DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), copy.put(), 0, TRUE,
                    DUPLICATE_SAME_ACCESS);
  }
  return copy;
}

std::uint64_t ValueOf(const UniqueHandle& handle) {
  return reinterpret_cast<std::uintptr_t>(handle.get());
}

PROCESS_MEMORY_COUNTERS MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) counters = {};
  return counters;
}

// Waits for the process to end within the limits. The Job object limits its
// memory where the system enforces that; the watch here does it everywhere
// else (Wine keeps no such limit). `peak` gets the most private memory seen,
// as under Wine the counters of a process that has ended read 0. Returns why
// it was stopped, or nothing when it ended by itself.
std::optional<std::wstring> WaitWithinLimits(HANDLE process, std::size_t& peak) {
  const unsigned long long deadline = GetTickCount64() + kPdfStepsTimeLimitMs;
  for (;;) {
    if (WaitForSingleObject(process, kMemoryPollMs) == WAIT_OBJECT_0) return std::nullopt;
    const PROCESS_MEMORY_COUNTERS memory = MemoryOf(process);
    peak = std::max<std::size_t>({peak, memory.PagefileUsage, memory.PeakPagefileUsage});
    if (memory.PagefileUsage > kPdfStepsMemoryLimit) {
      TerminateProcess(process, ERROR_NOT_ENOUGH_MEMORY);
      WaitForSingleObject(process, INFINITE);
      return L"needed more than " + Mebibytes(kPdfStepsMemoryLimit) + L" of memory";
    }
    if (GetTickCount64() >= deadline) {
      TerminateProcess(process, ERROR_TIMEOUT);
      WaitForSingleObject(process, INFINITE);
      return L"took longer than " + std::to_wstring(kPdfStepsTimeLimitMs / 1000) + L" seconds";
    }
  }
}

[[noreturn]] void Fail(const std::wstring& why) {
  throw JobFailure{L"The PDF steps of the job " + why + L" and were stopped; nothing was written."};
}

}  // namespace

bool IsPdfStepsProcess(const std::wstring& commandLine) {
  const std::optional<ConverterParameters> parameters = ReadConverterParameters(commandLine);
  return parameters && parameters->size() == 1 && parameters->front().first == kPdfStepsKey;
}

int RunPdfStepsProcess() {
  // A crash ends the process at once, with no dialog for anyone to answer.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  const std::optional<PdfStepsRequest> request =
      DecodeRequest(ReadAll(GetStdHandle(STD_INPUT_HANDLE)));
  if (!request) return 2;
  const PdfStepsAnswer answer = Run(*request);
  return WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), EncodeAnswer(answer)) ? 0 : 3;
}

PdfStepsOutcome RunPdfStepsLimited(PdfStepsRequest request, HANDLE output, HANDLE existing) {
  Pipe input = ChildPipe(true);
  Pipe answer = ChildPipe(false);
  // The converter's own form of a command line (converter_protocol.h).
  std::wstring commandLine =
      L"\"" + OwnModulePath() + L"\" " + std::wstring(kPdfStepsKey) + L"=\"1\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.read.get();
  startup.hStdOutput = answer.write.get();
  startup.hStdError = answer.write.get();
  UniqueHandle outputCopy = InheritableCopy(output);
  UniqueHandle existingCopy = InheritableCopy(existing);
  request.outputHandle = ValueOf(outputCopy);
  request.existingHandle = ValueOf(existingCopy);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                      CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info)) {
    Fail(L"could not be started (error " + std::to_wstring(GetLastError()) + L")");
  }
  const UniqueHandle process(info.hProcess);
  const UniqueHandle thread(info.hThread);
  // The child has its own copies now.
  for (UniqueHandle* parentsCopy : {&input.read, &answer.write, &outputCopy, &existingCopy}) {
    parentsCopy->reset();
  }
  const UniqueHandle job = LimitingJob();
  if (job) AssignProcessToJobObject(job.get(), process.get());
  ResumeThread(thread.get());
  // The answer is read while the steps run, so that a long one never blocks them.
  std::wstring answerText;
  std::thread reader([&] { answerText = ReadAll(answer.read.get()); });
  WriteAll(input.write.get(), EncodeRequest(request));
  input.write.reset();
  std::size_t peak = 0;
  const std::optional<std::wstring> stopped = WaitWithinLimits(process.get(), peak);
  reader.join();
  if (stopped) Fail(*stopped);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  peak = std::max<std::size_t>(peak, MemoryOf(process.get()).PeakPagefileUsage);
  const std::optional<PdfStepsAnswer> result = DecodeAnswer(answerText);
  if (exitCode != 0 || !result) {
    wchar_t code[16];
    swprintf(code, 16, L"0x%08lX", exitCode);
    Fail(L"ended without a result (exit code " + std::wstring(code) + L")");
  }
  return {*result, peak};
}
