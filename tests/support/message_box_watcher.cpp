#include "message_box_watcher.h"

#include <chrono>

namespace {

constexpr int kMessageTextControl = 0xFFFF;  // the static control that holds a box's text
constexpr DWORD kSweepIntervalMs = 5;

std::wstring WindowText(HWND window) {
  wchar_t buffer[4096] = {};
  GetWindowTextW(window, buffer, static_cast<int>(std::size(buffer)));
  return buffer;
}

std::wstring BoxText(HWND box) {
  wchar_t buffer[8192] = {};
  GetDlgItemTextW(box, kMessageTextControl, buffer, static_cast<int>(std::size(buffer)));
  return buffer;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM context) {
  wchar_t className[64] = {};
  if (GetClassNameW(window, className, static_cast<int>(std::size(className))) &&
      wcscmp(className, L"#32770") == 0 && IsWindowVisible(window)) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
  }
  return TRUE;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(Scope scope)
    : scope_(scope), processes_{GetCurrentProcessId()} {
  // The window system of the process is set up here, on the caller's thread.
  // Left to the watcher thread, that set-up can deadlock under Wine with a
  // library being loaded at the same time on another thread (the set-up needs
  // the loader lock, and the loading library's start-up needs the set-up).
  std::vector<HWND> ignored;
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&ignored));
  thread_ = std::thread([this] { Run(); });
}

void MessageBoxWatcher::WatchProcess(DWORD processId) {
  std::lock_guard lock(mutex_);
  processes_.insert(processId);
}

bool MessageBoxWatcher::Watched(HWND window) const {
  if (scope_ == Scope::kAnyProcess) return true;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processes_.count(processId) != 0;
}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  thread_.join();
}

bool MessageBoxWatcher::WaitForBoxes(size_t count, DWORD timeoutMs) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&] { return seen_.size() >= count; });
}

std::vector<SeenMessageBox> MessageBoxWatcher::Seen() const {
  std::lock_guard lock(mutex_);
  return seen_;
}

size_t MessageBoxWatcher::Count() const {
  std::lock_guard lock(mutex_);
  return seen_.size();
}

void MessageBoxWatcher::Run() {
  while (!stop_) {
    Sweep();
    Sleep(kSweepIntervalMs);
  }
  Sweep();  // boxes raised just before the watcher ends are still answered
}

void MessageBoxWatcher::Sweep() {
  std::vector<HWND> boxes;
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&boxes));

  std::lock_guard lock(mutex_);
  // Forget boxes that are gone, so that a reused window handle counts as new.
  for (auto it = dismissed_.begin(); it != dismissed_.end();) {
    it = IsWindow(*it) ? std::next(it) : dismissed_.erase(it);
  }
  bool added = false;
  for (HWND box : boxes) {
    if (dismissed_.count(box) || !Watched(box)) continue;
    if (!GetDlgItem(box, kMessageTextControl)) continue;  // not filled in yet
    seen_.push_back({WindowText(box), BoxText(box)});
    dismissed_.insert(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    added = true;
  }
  if (added) changed_.notify_all();
}
