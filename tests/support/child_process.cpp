#include "child_process.h"

#include <algorithm>
#include <map>

#include "unique_resource.h"

namespace {

struct CaseInsensitiveLess {
  bool operator()(const std::wstring& a, const std::wstring& b) const {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
  }
};

}  // namespace

std::wstring EnvironmentBlockWith(const std::vector<EnvironmentChange>& changes) {
  std::map<std::wstring, std::wstring, CaseInsensitiveLess> variables;
  std::vector<std::wstring> hidden;  // "=C:" style entries go first, unchanged
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
      const std::wstring text = entry;
      const auto equals = text.find(L'=', 1);
      if (text.front() == L'=' || equals == std::wstring::npos) {
        hidden.push_back(text);
        continue;
      }
      variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    FreeEnvironmentStringsW(block);
  }
  for (const EnvironmentChange& change : changes) {
    if (change.value) {
      variables[change.name] = *change.value;
    } else {
      variables.erase(change.name);
    }
  }
  std::wstring result;
  for (const std::wstring& entry : hidden) result.append(entry).append(1, L'\0');
  for (const auto& [name, value] : variables) result.append(name + L"=" + value).append(1, L'\0');
  result.append(1, L'\0');
  return result;
}

std::optional<DWORD> RunWithEnvironment(const std::wstring& commandLine,
                                        const std::vector<EnvironmentChange>& changes,
                                        const std::wstring& workingFolder, DWORD timeoutMs) {
  std::wstring environment = EnvironmentBlockWith(changes);
  std::wstring mutableCommandLine = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, mutableCommandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, environment.data(),
                      workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup,
                      &process)) {
    return std::nullopt;
  }
  UniqueHandle processHandle(process.hProcess);
  UniqueHandle threadHandle(process.hThread);
  if (WaitForSingleObject(processHandle.get(), timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(processHandle.get(), static_cast<UINT>(-1));
    WaitForSingleObject(processHandle.get(), 5000);
    return static_cast<DWORD>(-1);
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(processHandle.get(), &exitCode);
  return exitCode;
}

DWORD EndedProcessId() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION ended{};
  std::wstring commandLine = L"cmd.exe /c exit";
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &ended)) {
    return 0;
  }
  CloseHandle(ended.hThread);
  const UniqueHandle process(ended.hProcess);
  WaitForSingleObject(process.get(), INFINITE);
  return ended.dwProcessId;
}
