// The platform's side of the OS information: the version query and the
// calling thread's one instance.
#include <windows.h>

#include <cstring>
#include <memory>

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

const COpSysInfo& GetOpSysInfo() {
  thread_local std::unique_ptr<COpSysInfo> instance;
  if (!instance) instance = std::make_unique<COpSysInfo>(QueryPlatformVersion);
  return *instance;
}
