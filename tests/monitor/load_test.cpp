// Many jobs on several ports at once: every spool file and every converter call
// belongs to its own job.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <thread>

#include "job_bed.h"

namespace {

constexpr int kPorts = 4;
constexpr int kJobsPerPort = 25;

std::wstring PortName(int port) { return L"LOAD" + std::to_wstring(port) + L":"; }
std::wstring DocumentName(int port, int job) {
  return L"port " + std::to_wstring(port) + L" job " + std::to_wstring(job);
}
// Three writes of bytes that only this job has.
std::vector<std::string> JobBytes(int port, int job) {
  char tag[32];
  snprintf(tag, sizeof(tag), "<%d:%d>", port, job);
  std::string middle;
  for (int i = 0; i < 500 + 37 * job; ++i) middle += tag;
  return {std::string("%!PS ") + tag + "\n", middle, std::string("\n%%EOF ") + tag};
}

class Load : public JobBed {
 protected:
  std::vector<std::wstring> Ports() const {
    std::vector<std::wstring> names;
    for (int p = 0; p < kPorts; ++p) names.push_back(PortName(p));
    return names;
  }
  LoadedMonitor monitor_{Ports()};
};

TEST_F(Load, FourPortsTwentyFiveJobsEachFromFourThreads) {
  std::vector<std::thread> threads;
  std::vector<int> failures(kPorts, 0);
  for (int p = 0; p < kPorts; ++p) {
    threads.emplace_back([&, p] {
      for (int j = 0; j < kJobsPerPort; ++j) {
        if (!monitor_.Spooler().PrintJob(PortName(p), L"Load printer", 1000 * p + j,
                                         DocumentName(p, j), JobBytes(p, j))) {
          ++failures[p];
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(kPorts, 0));

  const auto calls = WaitForConverterCalls(AppFolder(), kPorts * kJobsPerPort, 60000);
  ASSERT_EQ(calls.size(), static_cast<size_t>(kPorts * kJobsPerPort));
  const std::wregex form(
      LR"re(^"[^"]*\\gui\.exe" ps="([^"]*)", sessionid="([^"]*)", doc="port (\d+) job (\d+)", printer="Load printer"$)re");
  std::set<std::wstring> sessionIds, documents;
  for (const ConverterCall& call : calls) {
    std::wsmatch match;
    ASSERT_TRUE(std::regex_match(call.commandLine, match, form))
        << testing::PrintToString(call.commandLine);
    const std::wstring spool = match[1], sessionId = match[2];
    const int port = std::stoi(match[3]), job = std::stoi(match[4]);
    EXPECT_EQ(spool, SpoolFile(sessionId));
    std::string expected;
    for (const std::string& part : JobBytes(port, job)) expected += part;
    EXPECT_EQ(ReadFileBytes(spool), expected) << "port " << port << " job " << job;
    sessionIds.insert(sessionId);
    documents.insert(DocumentName(port, job));
  }
  EXPECT_EQ(sessionIds.size(), calls.size());
  EXPECT_EQ(documents.size(), calls.size());
  EXPECT_EQ(ListFiles(WorkArea(), L"*_printer.ps").size(), calls.size());
}

}  // namespace
