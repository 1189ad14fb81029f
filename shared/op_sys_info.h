// Operating-system information: the version record read once, and the
// release flags, names and texts derived from it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The platform's extended version record (ANSI form), field for field.
struct VersionRecord {
  std::uint32_t dwOSVersionInfoSize = 0;
  std::uint32_t dwMajorVersion = 0;
  std::uint32_t dwMinorVersion = 0;
  std::uint32_t dwBuildNumber = 0;
  std::uint32_t dwPlatformId = 0;
  char szCSDVersion[128] = {};
  std::uint16_t wServicePackMajor = 0;
  std::uint16_t wServicePackMinor = 0;
  std::uint16_t wSuiteMask = 0;
  std::uint8_t wProductType = 0;
  std::uint8_t wReserved = 0;
};

inline constexpr std::uint32_t kVersionRecordSize = 156;
inline constexpr std::uint32_t kShortVersionRecordSize = 148;

// Fills the record whose dwOSVersionInfoSize is set; false on failure.
using VersionQuery = std::function<bool(VersionRecord&)>;

class COpSysInfo {
 public:
  // Reads the version record through `query` (QueryPlatformVersion on the system).
  explicit COpSysInfo(const VersionQuery& query);

  std::int32_t BuildNumber() const noexcept;
  std::wstring CSDVersion() const;
  std::int32_t MajorVersion() const noexcept;
  std::int32_t MinorVersion() const noexcept;
  std::int32_t PlatformID() const noexcept;
  std::int32_t ProductType() const noexcept;
  std::int16_t ServicePackMajor() const noexcept;
  std::int16_t ServicePackMinor() const noexcept;
  std::int16_t SuiteMask() const noexcept;
  bool HasAS() const noexcept;
  bool HasBO() const noexcept;
  bool HasDC() const noexcept;
  bool HasSBS() const noexcept;
  bool HasSBSr() const noexcept;
  bool HasTS() const noexcept;
  bool IsWin2003() const noexcept { return isWin2003_; }
  bool IsWinXP() const noexcept { return isWinXP_; }
  bool IsWinVista() const noexcept { return isWinVista_; }
  bool IsWin2K() const noexcept { return isWin2K_; }
  bool IsWinNT() const noexcept { return isWinNT_; }
  bool IsWin9x() const noexcept { return isWinME_ || isWin98_ || isWin95_; }
  bool IsWin95() const noexcept { return isWin95_; }
  bool IsWin98() const noexcept { return isWin98_; }
  bool IsWinME() const noexcept { return isWinME_; }
  std::wstring Platform() const;
  std::wstring Version() const;
  std::wstring ProductTypeName() const;

 private:
  static std::int32_t LoWord(std::uint32_t value) noexcept;

  VersionRecord record_;
  bool isWinNT_ = false;
  bool isWin2K_ = false;
  bool isWinXP_ = false;
  bool isWin2003_ = false;
  bool isWinVista_ = false;
  bool isWin95_ = false;
  bool isWin98_ = false;
  bool isWinME_ = false;
};

// The platform's version query (GetVersionExA).
bool QueryPlatformVersion(VersionRecord& record) noexcept;

// The calling thread's one instance, created on first use. It lives in the
// thread's own storage, which needs no freeing when the thread ends.
const COpSysInfo& GetOpSysInfo();
