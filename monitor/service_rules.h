// Rules for a monitor inside a spooler that runs as a service: whose account a
// job must never run under, and where a message box can be answered.
#pragma once

#include <cstddef>

// True for the binary SID of LocalSystem (S-1-5-18), LocalService (S-1-5-19) or
// NetworkService (S-1-5-20). A SID that is malformed or does not fit `size`
// bytes is no service account.
bool IsServiceAccountSid(const unsigned char* sid, size_t size);

// The flags of the process's window station (UOI_FLAGS): message boxes only
// when it is visible (WSF_VISIBLE). Elsewhere nobody can ever answer one, and
// the thread showing it would hold the monitor's lock for good.
bool CanShowMessageBoxes(unsigned long windowStationFlags);
