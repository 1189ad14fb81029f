// A stand-in for the converter program gui.exe, for tests. Each start leaves one
// record "call-<process id>-<tick>.rec" in the program's own folder: its command
// line (GetCommandLineW) and its environment block, as UTF-16 texts each ended by
// a null. The record is written under a temporary name and then renamed, so a
// reader never sees half of it.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t self[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self, length);
  folder.erase(folder.find_last_of(L'\\') + 1);

  std::wstring record = GetCommandLineW();
  record += L'\0';
  wchar_t* environment = GetEnvironmentStringsW();
  for (const wchar_t* p = environment; *p; p += wcslen(p) + 1) {
    record += p;
    record += L'\0';
  }
  FreeEnvironmentStringsW(environment);

  const std::wstring name =
      L"call-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64());
  const std::wstring temporary = folder + name + L".tmp";
  HANDLE file =
      CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)), &written,
            nullptr);
  CloseHandle(file);
  return MoveFileW(temporary.c_str(), (folder + name + L".rec").c_str()) ? 0 : 1;
}
