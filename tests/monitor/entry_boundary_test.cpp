// The entries' error boundary, called on the library's code directly.
#include <gtest/gtest.h>

#include "error_sentinel.h"
#include "job_capture.h"
#include "monitor_state.h"
#include "output_wait.h"
#include "port_entries.h"

namespace {

// The monitor as DllMain leaves it when the port table could not be allocated.
class NoPortTable : public testing::Test {
 protected:
  NoPortTable() {
    AttachMonitor();
    delete std::exchange(Monitor().ports, nullptr);
  }
  ~NoPortTable() override { DetachMonitor(); }
};

TEST_F(NoPortTable, EveryEntryFailsWithNotEnoughMemory) {
  HANDLE port = nullptr;
  DWORD needed = 0, returned = 0, count = 0;
  BYTE buffer[8] = {};
  const std::vector<std::pair<const char*, BOOL>> results = {
      {"EnumPorts", MonEnumPorts(nullptr, 1, buffer, sizeof(buffer), &needed, &returned)},
      {"OpenPort", MonOpenPort(const_cast<LPWSTR>(L"P:"), &port)},
      {"StartDocPort", MyStartDocPort(&port, nullptr, 0, 0, nullptr)},
      {"WritePort", MonWritePort(&port, buffer, 1, &count)},
      {"ReadPort", MonReadPort(&port, buffer, 1, &count)},
      {"EndDocPort", MonEndDocPort(&port)},
      {"ClosePort", MonClosePort(&port)},
      {"AddPortEx", MonAddPortEx(nullptr, 1, buffer, nullptr)},
      {"DeletePort", MonDeletePort(nullptr, nullptr, const_cast<LPWSTR>(L"P:"))},
  };
  for (const auto& [name, result] : results) {
    EXPECT_FALSE(result) << name;
  }
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(MonClosePort(&port));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(port, nullptr);
}

TEST(EntryBoundary, NullHandlesAndMissingOutArgumentsFailWithAnError) {
  AttachMonitor();
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(MonWritePort(nullptr, nullptr, 0, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(MonEnumPorts(nullptr, 1, nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SetLastError(kErrorSentinel);
  EXPECT_FALSE(MonOpenPort(const_cast<LPWSTR>(L"P:"), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  DetachMonitor();
}

}  // namespace
