// The version query of the running system has no host counterpart: the native
// tests leave out the one test that asks the platform, and reaching this is a
// fault of the native build.
#include <cstdio>
#include <cstdlib>

#include "op_sys_info.h"

const COpSysInfo& GetOpSysInfo() {
  std::fputs("GetOpSysInfo asks the Windows platform: not available in the native build\n", stderr);
  std::abort();
}
