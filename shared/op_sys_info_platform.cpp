// The platform's side of the OS information: the version query and the
// calling thread's one instance.
#include <windows.h>

#include <cstring>
#include <optional>
#include <type_traits>

#include "op_sys_info.h"

static_assert(sizeof(OSVERSIONINFOEXA) == kVersionRecordSize);
static_assert(offsetof(OSVERSIONINFOEXA, wServicePackMajor) == kShortVersionRecordSize);

bool QueryPlatformVersion(VersionRecord& record) noexcept {
  OSVERSIONINFOEXA info{};
  info.dwOSVersionInfoSize = record.dwOSVersionInfoSize;
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return false;
  record.dwMajorVersion = info.dwMajorVersion;
  record.dwMinorVersion = info.dwMinorVersion;
  record.dwBuildNumber = info.dwBuildNumber;
  record.dwPlatformId = info.dwPlatformId;
  std::memcpy(record.szCSDVersion, info.szCSDVersion, sizeof record.szCSDVersion);
  if (record.dwOSVersionInfoSize >= kVersionRecordSize) {
    record.wServicePackMajor = info.wServicePackMajor;
    record.wServicePackMinor = info.wServicePackMinor;
    record.wSuiteMask = info.wSuiteMask;
    record.wProductType = info.wProductType;
    record.wReserved = info.wReserved;
  }
  return true;
}

// Thread storage whose type has a destructor would keep the library loaded
// until the thread ends and unload it from the thread's exit; this one has none.
static_assert(std::is_trivially_destructible_v<COpSysInfo>);

const COpSysInfo& GetOpSysInfo() {
  thread_local std::optional<COpSysInfo> instance;
  if (!instance) instance.emplace(QueryPlatformVersion);
  return *instance;
}
