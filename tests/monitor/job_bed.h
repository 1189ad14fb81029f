// A bed for whole jobs: the monitor over fresh ports, the printing user's TEMP,
// "AppFolder" holding the fake converter, "LogFolder", and a message-box watcher.
#pragma once

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "fake_converter_calls.h"
#include "monitor_fixture.h"
#include "own_log_name.h"
#include "registry_override.h"

class JobBed : public testing::Test {
 protected:
  JobBed() {
    CreateDirectoryW(AppFolder().c_str(), nullptr);
    CreateDirectoryW(LogFolder().c_str(), nullptr);
    temp_.Set(scratch_ / L"temp");
    appFolder_.Set(AppFolder());
    logFolder_.Set(LogFolder());
    EXPECT_TRUE(InstallFakeConverter(AppFolder()));
  }

  // A failed test shows the trace of its latest job.
  void TearDown() override {
    if (HasFailure()) std::printf("port.log:\n%s\n", Log().c_str());
  }

  std::wstring AppFolder() const { return scratch_ / L"app"; }
  std::wstring LogFolder() const { return scratch_ / L"log"; }
  std::wstring WorkArea() const { return scratch_ / L"temp\\Quillmar\\PDF Writer\\"; }
  std::wstring SpoolFile(const std::wstring& sessionId) const {
    return WorkArea() + sessionId + L"_printer.ps";
  }
  // The test user's own log in "LogFolder".
  std::string Log() const { return ReadFileBytes(LogFolder() + L"\\" + OwnLogName(L"port")); }

  // The session ids logged at "Session Id", in order.
  std::vector<std::wstring> LoggedSessionIds() const {
    std::vector<std::wstring> ids;
    const std::string log = Log();
    const std::regex entry(R"(\[MyStartDocPort\] Session Id: ([0-9a-fx-]+)\r\n)");
    for (auto it = std::sregex_iterator(log.begin(), log.end(), entry);
         it != std::sregex_iterator(); ++it) {
      const std::string id = (*it)[1];
      ids.emplace_back(id.begin(), id.end());
    }
    return ids;
  }

  std::wstring JobCommandLine(const std::wstring& sessionId, const std::wstring& document,
                              const std::wstring& printer) const {
    return L"\"" + AppFolder() + L"\\gui.exe\" ps=\"" + SpoolFile(sessionId) + L"\", sessionid=\"" +
           sessionId + L"\", doc=\"" + document + L"\", printer=\"" + printer + L"\"";
  }
  std::wstring MessageCommandLine(const std::wstring& message, const std::wstring& icon) const {
    return L"\"" + AppFolder() + L"\\gui.exe\" msg=\"" + message + L"\", icon=\"" + icon + L"\"";
  }

  MessageBoxWatcher boxes_;
  ScratchFolder scratch_;
  UserEnvironmentOverride temp_{L"TEMP"};
  MonitorSettingOverride appFolder_{L"AppFolder"};
  MonitorSettingOverride logFolder_{L"LogFolder"};
};
