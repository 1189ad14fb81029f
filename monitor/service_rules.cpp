#include "service_rules.h"

namespace {

// The layout of a binary SID: revision, count of sub-authorities, a 48-bit
// big-endian identifier authority, then the sub-authorities (32-bit, little-endian).
constexpr size_t kSidHeaderBytes = 8;
constexpr unsigned char kSidRevision = 1;
constexpr unsigned char kNtAuthority = 5;
constexpr unsigned long kLocalSystemRid = 18;
constexpr unsigned long kNetworkServiceRid = 20;
constexpr unsigned long kWindowStationVisible = 0x0001;  // WSF_VISIBLE

unsigned long LittleEndian32(const unsigned char* bytes) {
  return static_cast<unsigned long>(bytes[0]) | static_cast<unsigned long>(bytes[1]) << 8 |
         static_cast<unsigned long>(bytes[2]) << 16 | static_cast<unsigned long>(bytes[3]) << 24;
}

}  // namespace

bool IsServiceAccountSid(const unsigned char* sid, size_t size) {
  if (!sid || size < kSidHeaderBytes + 4) return false;
  const unsigned char subAuthorities = sid[1];
  if (sid[0] != kSidRevision || subAuthorities != 1) return false;
  for (size_t i = 2; i < 7; ++i) {
    if (sid[i] != 0) return false;
  }
  if (sid[7] != kNtAuthority) return false;
  const unsigned long rid = LittleEndian32(sid + kSidHeaderBytes);
  return rid >= kLocalSystemRid && rid <= kNetworkServiceRid;
}

MessagePath ChooseMessagePath(unsigned long processSessionId, bool isServiceProcess,
                              unsigned long windowStationFlags) {
  const bool visible = (windowStationFlags & kWindowStationVisible) != 0;
  return processSessionId != 0 && !isServiceProcess && visible ? MessagePath::kMessageBox
                                                               : MessagePath::kSessionMessage;
}

const wchar_t* ConverterDesktop(unsigned long tokenSessionId) {
  return tokenSessionId != 0 ? L"winsta0\\default" : nullptr;
}
