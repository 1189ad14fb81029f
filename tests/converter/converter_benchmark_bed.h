// What the converter's benchmark programs run in: scratch folders for the
// user's data, the work and the application folder, the machine settings
// pointed there and no log folder, and a watch on every process's message
// boxes, which no benchmarked job may show.
#pragma once

#include <windows.h>

#include <cstdio>

#include "message_box_watcher.h"
#include "registry_override.h"
#include "scratch_folder.h"

struct ConverterBenchmarkBed {
  ConverterBenchmarkBed() {
    SetEnvironmentVariableW(L"APPDATA", data.Path().c_str());
    appFolder.Set(app.Path());
    logFolder.Remove();
  }

  // The program's exit code: 1, after naming the first box, when any was shown.
  int ExitCode() const {
    if (watcher.Count() == 0) return 0;
    std::printf("%zu message boxes, the first: %ls\n", watcher.Count(),
                watcher.Seen()[0].text.c_str());
    return 1;
  }

  ScratchFolder data, work, app;
  MonitorSettingOverride appFolder{L"AppFolder"};
  MonitorSettingOverride logFolder{L"LogFolder"};
  MessageBoxWatcher watcher{MessageBoxWatcher::Scope::kAnyProcess};
};
