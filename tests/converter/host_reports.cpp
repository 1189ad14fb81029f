#include "host_reports.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "scratch_folder.h"
#include "wine_host_bridge.h"

std::string HostTool(const std::wstring& command, const std::wstring& file) {
  ScratchFolder scratch;
  const std::wstring report = scratch / L"report.txt";
  const RunResult run = RunHostProgram(
      L"Z:\\bin\\sh",
      {L"-c", command + L" >\"$1\"", HostPath(file).value_or(L""), HostPath(report).value_or(L"")},
      30000);
  EXPECT_TRUE(run.finished && run.exitCode == 0)
      << std::string(command.begin(), command.end())
      << std::string(run.failure.begin(), run.failure.end());
  return ReadFileBytes(report);
}

std::string InfoField(const std::string& report, const std::string& name) {
  const std::string info = "\n" + report;
  const std::size_t start = info.find("\n" + name + ":");
  if (start == std::string::npos) return "<missing>";
  const std::size_t value = info.find_first_not_of(' ', start + name.size() + 2);
  return info.substr(value, info.find('\n', value) - value);
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(size - 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  return bytes;
}
