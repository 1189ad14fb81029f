// notifier.exe: started by the converter with the path of a saved file. It
// hands the notice to the session's resident notifier, or becomes that
// notifier itself and shows notices until the last one has expired.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "notice_handover.h"
#include "notice_icon.h"
#include "product_names.h"
#include "unique_resource.h"

namespace {

// How long a started notifier tries to reach a resident one, or to become it.
constexpr ULONGLONG kHandOverMs = 10000;
constexpr DWORD kRetryMs = 100;

// The file named by the only argument; empty when there is none.
std::wstring FileArgument() {
  int count = 0;
  const UniqueLocalMemory arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  if (!arguments || count != 2) return {};
  return static_cast<wchar_t**>(arguments.get())[1];
}

void ShowAsResident(const std::wstring& file) {
  const bool apartment =
      SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  RunNoticeIcon(file);
  if (apartment) CoUninitialize();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::wstring file = FileArgument();
  if (file.empty()) return 2;
  // Whoever holds the mutex is the resident notifier (or about to be); a
  // resident that ends takes its window away before it lets the mutex go, so
  // a notice is either taken by its window or finds the mutex free.
  const UniqueHandle residence(CreateMutexW(nullptr, FALSE, product_names::kNotifierMutex));
  const ULONGLONG deadline = GetTickCount64() + kHandOverMs;
  while (GetTickCount64() < deadline) {
    if (const HWND resident = FindResidentNotifier(); resident && DeliverNotice(resident, file))
      return 0;
    if (!residence) {
      Sleep(kRetryMs);
      continue;
    }
    const DWORD wait = WaitForSingleObject(residence.get(), kRetryMs);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
      ShowAsResident(file);
      ReleaseMutex(residence.get());
      return 0;
    }
  }
  // The name is held by something that takes no notices: show it alone.
  ShowAsResident(file);
  return 0;
}
