#include "printer_admin.h"

#include <shellapi.h>

#include "command_line_quoting.h"
#include "own_module.h"
#include "unique_resource.h"

namespace {

constexpr wchar_t kPrinterSetupProgram[] = L"printer_setup.exe";

// Waits for `process`, handling the window messages meanwhile.
void WaitPumpingMessages(HANDLE process) {
  for (;;) {
    const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
    if (woken != WAIT_OBJECT_0 + 1) return;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

bool UserIsAdministrator() {
  UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
  TOKEN_ELEVATION_TYPE elevation = TokenElevationTypeDefault;
  DWORD size = 0;
  if (GetTokenInformation(token.get(), TokenElevationType, &elevation, sizeof(elevation), &size) &&
      elevation == TokenElevationTypeLimited) {
    return true;  // an administrator's filtered token: elevation gives the full one
  }
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
    return false;
  }
  BOOL member = FALSE;
  const BOOL checked = CheckTokenMembership(nullptr, administrators, &member);
  FreeSid(administrators);
  return checked && member;
}

std::optional<DWORD> RunPrinterSetupElevated(HWND owner, const std::wstring& verb,
                                             const std::wstring& printer, DWORD& startError) {
  const std::wstring program = OwnModuleFolder() + L"\\" + kPrinterSetupProgram;
  const std::wstring parameters = QuoteArgument(verb) + L" " + QuoteArgument(printer);
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof(execute);
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  execute.hwnd = owner;
  execute.lpVerb = L"runas";
  execute.lpFile = program.c_str();
  execute.lpParameters = parameters.c_str();
  execute.nShow = SW_HIDE;
  if (!ShellExecuteExW(&execute)) {
    startError = GetLastError();
    return std::nullopt;
  }
  if (!execute.hProcess) {  // started through something else, which gives no process to wait for
    startError = ERROR_INVALID_HANDLE;
    return std::nullopt;
  }
  const UniqueHandle process(execute.hProcess);
  EnableWindow(owner, FALSE);
  WaitPumpingMessages(process.get());
  EnableWindow(owner, TRUE);
  SetForegroundWindow(owner);
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(process.get(), &exitCode)) {
    startError = GetLastError();
    return std::nullopt;
  }
  return exitCode;
}
