#include "notice_queue.h"

#include <algorithm>

namespace {

// `text` cut to `room` characters, with "..." in place of what is cut.
std::wstring Cut(std::wstring text, std::size_t room) {
  if (text.size() <= room) return text;
  text.resize(room - 3);
  return text + L"...";
}

}  // namespace

void NoticeQueue::Add(std::wstring file, unsigned long long nowMs) {
  notices_.push_back({std::move(file), nowMs, ++added_});
}

void NoticeQueue::DropExpired(unsigned long long nowMs) {
  std::erase_if(notices_, [&](const Notice& notice) {
    return nowMs >= notice.arrivedMs && nowMs - notice.arrivedMs >= lifetimeMs_;
  });
}

void NoticeQueue::DismissLatest() {
  if (!notices_.empty()) notices_.pop_back();
}

NoticeTexts TextsOf(const Notice& notice, std::size_t othersWaiting) {
  const std::size_t slash = notice.file.find_last_of(L"\\/");
  const std::wstring name =
      slash == std::wstring::npos ? notice.file : notice.file.substr(slash + 1);
  const std::wstring folder =
      slash == std::wstring::npos ? std::wstring() : notice.file.substr(0, slash);
  std::wstring more;
  if (othersWaiting == 1) more = L"\n1 more file was saved.";
  if (othersWaiting > 1) more = L"\n" + std::to_wstring(othersWaiting) + L" more files were saved.";
  // The folder gives way first: the count of the others always shows.
  const std::wstring text =
      Cut(L"Saved in " + folder, kNoticeTextRoom - std::min(more.size(), kNoticeTextRoom)) + more;
  return {Cut(name, kNoticeTitleRoom), text};
}
