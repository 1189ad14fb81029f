// Test helper: waits in its own process for one pulse of the monitor event.
// Argument: a file to create once the event is open. Exit code 0 when the pulse
// came within 20 seconds, 1 when it did not, 2 when the event could not be opened.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, L"Quillmar Printer Monitor");
  if (!event || argc < 2) return 2;
  CloseHandle(CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const DWORD result = WaitForSingleObject(event, 20000);
  CloseHandle(event);
  return result == WAIT_OBJECT_0 ? 0 : 1;
}
