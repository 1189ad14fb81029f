#include "notice_handover.h"

#include <vector>

#include "product_names.h"
#include "unique_resource.h"

namespace {

// The user SID of a process's token; empty when it cannot be read.
std::vector<unsigned char> TokenUserOf(HANDLE process) {
  UniqueHandle token;
  if (!OpenProcessToken(process, TOKEN_QUERY, token.put())) return {};
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size == 0) return {};
  std::vector<unsigned char> buffer(size);
  if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
  const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
  const auto* bytes = static_cast<const unsigned char*>(sid);
  return {bytes, bytes + GetLengthSid(sid)};
}

bool RunsAsThisUser(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == 0) return false;
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return false;
  const std::vector<unsigned char> owner = TokenUserOf(process.get());
  return !owner.empty() && owner == TokenUserOf(GetCurrentProcess());
}

}  // namespace

HWND FindResidentNotifier() {
  for (HWND window = nullptr;;) {
    window = FindWindowExW(HWND_MESSAGE, window, product_names::kNotifierWindowClass, nullptr);
    if (!window || RunsAsThisUser(window)) return window;
  }
}

bool DeliverNotice(HWND notifier, const std::wstring& file) {
  COPYDATASTRUCT data{};
  data.dwData = product_names::kNoticeDataKind;
  data.cbData = static_cast<DWORD>(file.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(file.data());
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(notifier, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG, 1000, &answer) &&
         answer == TRUE;
}

std::wstring NoticeFileOf(const COPYDATASTRUCT& data) {
  if (data.dwData != product_names::kNoticeDataKind || !data.lpData ||
      data.cbData % sizeof(wchar_t) != 0) {
    return {};
  }
  const auto* text = static_cast<const wchar_t*>(data.lpData);
  return std::wstring(text, data.cbData / sizeof(wchar_t));
}
