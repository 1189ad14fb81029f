#include "notice_icon.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cwchar>

#include "notice_handover.h"
#include "notice_queue.h"
#include "product_names.h"

namespace {

constexpr UINT kIconMessage = WM_APP + 1;
constexpr UINT kIconId = 1;
constexpr UINT_PTR kExpiryTimer = 1;
constexpr UINT kExpiryCheckMs = 250;

// The window's state, reached through its user data.
struct Notifier {
  NoticeQueue queue{kNoticeLifetimeMs};
  unsigned long long shown = 0;  // the number of the notice in the balloon now; 0: none
  bool iconAdded = false;
};

NOTIFYICONDATAW IconData(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = kIconId;
  return data;
}

void Copy(wchar_t* target, std::size_t room, const std::wstring& text) {
  wcsncpy(target, text.c_str(), room - 1);
  target[room - 1] = L'\0';
}

// The balloon shows the latest notice; the icon goes with the last one.
void ShowLatest(HWND window, Notifier& notifier) {
  const Notice* latest = notifier.queue.Latest();
  if ((latest ? latest->number : 0) == notifier.shown) return;
  notifier.shown = latest ? latest->number : 0;
  NOTIFYICONDATAW data = IconData(window);
  if (!latest) {
    if (notifier.iconAdded) Shell_NotifyIconW(NIM_DELETE, &data);
    notifier.iconAdded = false;
    return;
  }
  const NoticeTexts texts = TextsOf(*latest, notifier.queue.Count() - 1);
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP | NIF_INFO | NIF_SHOWTIP;
  data.uCallbackMessage = kIconMessage;
  data.hIcon = LoadIconW(nullptr, IDI_INFORMATION);
  Copy(data.szTip, std::size(data.szTip), product_names::kProductTitle);
  Copy(data.szInfoTitle, std::size(data.szInfoTitle), texts.title);
  Copy(data.szInfo, std::size(data.szInfo), texts.text);
  data.dwInfoFlags = NIIF_INFO;
  if (!notifier.iconAdded) {
    notifier.iconAdded = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    data.uVersion = NOTIFYICON_VERSION_4;
    if (notifier.iconAdded) Shell_NotifyIconW(NIM_SETVERSION, &data);
  } else {
    Shell_NotifyIconW(NIM_MODIFY, &data);
  }
}

// Explorer's window of the file's folder, with the file selected.
void OpenFolderOf(const std::wstring& file) {
  PIDLIST_ABSOLUTE item = nullptr;
  if (SUCCEEDED(SHParseDisplayName(file.c_str(), nullptr, &item, 0, nullptr))) {
    const HRESULT opened = SHOpenFolderAndSelectItems(item, 0, nullptr, 0);
    CoTaskMemFree(item);
    if (SUCCEEDED(opened)) return;
  }
  // The file may be gone: its folder at least.
  const std::wstring selection = L"/select,\"" + file + L"\"";
  ShellExecuteW(nullptr, L"open", L"explorer.exe", selection.c_str(), nullptr, SW_SHOWNORMAL);
}

void End(HWND window, Notifier& notifier) {
  ShowLatest(window, notifier);
  DestroyWindow(window);
}

void OnIconEvent(HWND window, Notifier& notifier, UINT event) {
  switch (event) {
    case NIN_BALLOONUSERCLICK:
    case NIN_SELECT:
    case NIN_KEYSELECT:
      if (const Notice* shown = notifier.queue.Latest()) OpenFolderOf(shown->file);
      [[fallthrough]];
    case NIN_BALLOONTIMEOUT:
      // Closed by the user, or shown for as long as the shell shows one.
      notifier.queue.DismissLatest();
      ShowLatest(window, notifier);
      if (!notifier.queue.Latest()) End(window, notifier);
      break;
  }
}

LRESULT CALLBACK NotifierProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* notifier = reinterpret_cast<Notifier*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_COPYDATA: {
      const std::wstring file = NoticeFileOf(*reinterpret_cast<COPYDATASTRUCT*>(lParam));
      if (!notifier || file.empty() || file.size() >= 32768 ||
          file.find(L'\0') != std::wstring::npos) {
        return FALSE;
      }
      notifier->queue.Add(file, GetTickCount64());
      ShowLatest(window, *notifier);
      return TRUE;
    }
    case WM_TIMER:
      if (notifier && wParam == kExpiryTimer) {
        notifier->queue.DropExpired(GetTickCount64());
        ShowLatest(window, *notifier);
        if (!notifier->queue.Latest()) End(window, *notifier);
      }
      return 0;
    case kIconMessage:
      if (notifier) OnIconEvent(window, *notifier, LOWORD(lParam));
      return 0;
    case WM_CLOSE:
      // Asked to end (the uninstaller, before it removes this program): the
      // notices go with the icon.
      if (notifier) {
        notifier->queue = NoticeQueue{kNoticeLifetimeMs};
        End(window, *notifier);
      } else {
        DestroyWindow(window);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void RunNoticeIcon(const std::wstring& firstFile) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = NotifierProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = product_names::kNotifierWindowClass;
  RegisterClassExW(&windowClass);
  Notifier notifier;
  notifier.queue.Add(firstFile, GetTickCount64());
  const HWND window =
      CreateWindowExW(0, product_names::kNotifierWindowClass, product_names::kProductTitle, 0, 0, 0,
                      0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (!window) return;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&notifier));
  ShowLatest(window, notifier);
  SetTimer(window, kExpiryTimer, kExpiryCheckMs, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}
