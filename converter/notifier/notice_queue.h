// The notices that the notifier holds: each names a saved file and lives for
// a while after it came. The latest one is shown; when it is dismissed (the
// user clicked or closed it), the one before it takes its place, so that a
// burst of jobs is shown latest first. Pure: the clock is handed in.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct Notice {
  std::wstring file;
  unsigned long long arrivedMs = 0;
  unsigned long long number = 0;  // 1 for the first that came, and so on
};

class NoticeQueue {
 public:
  explicit NoticeQueue(unsigned long long lifetimeMs) : lifetimeMs_(lifetimeMs) {}

  void Add(std::wstring file, unsigned long long nowMs);
  // Drops the notices whose life is over at `nowMs`.
  void DropExpired(unsigned long long nowMs);
  // Drops the notice shown now.
  void DismissLatest();
  // The notice to show; null when none is left.
  const Notice* Latest() const { return notices_.empty() ? nullptr : &notices_.back(); }
  std::size_t Count() const { return notices_.size(); }

 private:
  unsigned long long lifetimeMs_;
  std::vector<Notice> notices_;  // oldest first
  unsigned long long added_ = 0;
};

// The balloon's two texts, cut to the room the notification area gives them.
struct NoticeTexts {
  std::wstring title;
  std::wstring text;
};

inline constexpr std::size_t kNoticeTitleRoom = 63;  // NOTIFYICONDATAW::szInfoTitle, less its end
inline constexpr std::size_t kNoticeTextRoom = 255;  // NOTIFYICONDATAW::szInfo, less its end

// The file's name as the title, its folder in the text, and how many more
// files wait behind it.
NoticeTexts TextsOf(const Notice& notice, std::size_t othersWaiting);
