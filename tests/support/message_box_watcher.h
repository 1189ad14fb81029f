// Sees, records and dismisses message boxes while a test runs.
//
// A watcher thread looks every few milliseconds for visible top-level windows
// of the dialog class "#32770" (the class of every MessageBoxW box), records the
// caption and the text of each one, and presses OK on it (WM_COMMAND IDOK).
// By default it sees only the boxes of its own process, so that tests running
// side by side do not answer each other's boxes; WatchProcess adds a child
// process (for instance a program under test), and AnyProcess sees them all. The test prefix
// uses Wine's null graphics driver, so boxes are real, blocking windows; a
// test that can raise one must run a watcher, or it hangs.
//
//   MessageBoxWatcher watcher;                 // starts watching
//   ... code that shows boxes ...
//   ASSERT_TRUE(watcher.WaitForBoxes(1, 5000));
//   EXPECT_EQ(watcher.Seen()[0].text, L"Error");
#pragma once

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

struct SeenMessageBox {
  std::wstring caption;
  std::wstring text;
};

class MessageBoxWatcher {
 public:
  enum class Scope { kThisProcess, kAnyProcess };

  explicit MessageBoxWatcher(Scope scope = Scope::kThisProcess);
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // Waits until at least `count` boxes have been seen in all, or the time runs out.
  // Returns whether that many were seen.
  bool WaitForBoxes(size_t count, DWORD timeoutMs);

  // The boxes seen so far, in the order they were found.
  std::vector<SeenMessageBox> Seen() const;
  size_t Count() const;

  // Also watches the boxes of another process (by id).
  void WatchProcess(DWORD processId);

 private:
  void Run();
  void Sweep();

  bool Watched(HWND window) const;

  const Scope scope_;
  std::set<DWORD> processes_;  // watched process ids (guarded by mutex_)
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<SeenMessageBox> seen_;
  std::set<HWND> dismissed_;  // boxes already recorded that may not be gone yet
  std::thread thread_;
};
