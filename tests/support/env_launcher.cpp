// env_launcher [NAME=VALUE | -NAME]... -- program [arguments...]
//
// Starts `program` with the given environment variables set (NAME=VALUE) or
// removed (-NAME), waits for it and exits with its exit code; 125 when the
// arguments are wrong or the program cannot be started.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "child_process.h"

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return 125;
  std::vector<EnvironmentChange> changes;
  int index = 1;
  for (; index < count && std::wstring(arguments[index]) != L"--"; ++index) {
    const std::wstring argument = arguments[index];
    const auto equals = argument.find(L'=');
    if (!argument.empty() && argument.front() == L'-') {
      changes.push_back({argument.substr(1), std::nullopt});
    } else if (equals != std::wstring::npos && equals > 0) {
      changes.push_back({argument.substr(0, equals), argument.substr(equals + 1)});
    } else {
      std::fwprintf(stderr, L"env_launcher: bad argument %ls\n", argument.c_str());
      return 125;
    }
  }
  if (index + 1 >= count) {
    std::fwprintf(stderr, L"env_launcher: no program after --\n");
    return 125;
  }
  std::wstring commandLine;
  for (int i = index + 1; i < count; ++i) {
    if (!commandLine.empty()) commandLine += L' ';
    commandLine += QuoteArgument(arguments[i]);
  }
  LocalFree(arguments);
  const std::optional<DWORD> exitCode = RunWithEnvironment(commandLine, changes, {}, INFINITE);
  if (!exitCode) {
    std::fwprintf(stderr, L"env_launcher: cannot start %ls (error %lu)\n", commandLine.c_str(),
                  GetLastError());
    return 125;
  }
  return static_cast<int>(*exitCode);
}
