#include "monitor_event.h"

#include <sddl.h>

#include <string>

#include "monitor_texts.h"

namespace {

// Everyone may wait; the local system and administrators have full access.
constexpr wchar_t kEventSecurity[] = L"D:(A;;0x00100000;;;WD)(A;;GA;;;SY)(A;;GA;;;BA)";

}  // namespace

HANDLE CreateMonitorEvent() {
  UniqueLocalMemory descriptor;
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), nullptr, FALSE};
  if (ConvertStringSecurityDescriptorToSecurityDescriptorW(
          kEventSecurity, SDDL_REVISION_1,
          reinterpret_cast<PSECURITY_DESCRIPTOR*>(descriptor.put()), nullptr)) {
    attributes.lpSecurityDescriptor = descriptor.get();
  }
  return CreateEventW(&attributes, FALSE, FALSE, monitor_texts::kEventName);
}

UniqueHandle OpenMonitorEvent() {
  const std::wstring globalName = std::wstring(L"Global\\") + monitor_texts::kEventName;
  UniqueHandle event(OpenEventW(SYNCHRONIZE, FALSE, globalName.c_str()));
  if (!event) event.reset(OpenEventW(SYNCHRONIZE, FALSE, monitor_texts::kEventName));
  return event;
}
