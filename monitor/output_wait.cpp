#include "output_wait.h"

#include <optional>

#include "entry_boundary.h"
#include "monitor_texts.h"
#include "text_rules.h"
#include "unique_resource.h"
#include "wait_schedule.h"

namespace {

int64_t SystemTimeUnits() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) |
                              now.dwLowDateTime);
}

}  // namespace

bool OutputExists(const std::wstring& path) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(file);
}

BOOL WINAPI WaitForOutput(LPCSTR fileName, DWORD timeoutMs) {
  return RunExport([&] {
    const std::optional<std::wstring> path = WidenSingleByte(fileName, MAX_PATH);
    if (!path) return Failed(ERROR_INVALID_NAME);
    if (OutputExists(*path)) return Succeeded();
    UniqueHandle event(OpenEventW(SYNCHRONIZE, FALSE, monitor_texts::kEventName));
    const int64_t start = SystemTimeUnits();
    while (const std::optional<uint32_t> pass =
               NextPassMilliseconds(start, timeoutMs, SystemTimeUnits())) {
      if (event) {
        WaitForSingleObject(event.get(), *pass);
      } else {
        Sleep(*pass);
      }
      if (OutputExists(*path)) return Succeeded();
    }
    return OutputExists(*path) ? Succeeded() : Failed(ERROR_TIMEOUT);
  });
}
