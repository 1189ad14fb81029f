#include "op_sys_info.h"

#include <cstring>

#include "ansi_text.h"

namespace {

constexpr std::uint16_t kSuiteSmallBusiness = 0x0001;
constexpr std::uint16_t kSuiteEnterprise = 0x0002;
constexpr std::uint16_t kSuiteBackOffice = 0x0004;
constexpr std::uint16_t kSuiteTerminal = 0x0010;
constexpr std::uint16_t kSuiteSmallBusinessRestricted = 0x0020;
constexpr std::uint16_t kSuiteDataCenter = 0x0080;

constexpr std::uint32_t kPlatformWin9x = 1;
constexpr std::uint32_t kPlatformNT = 2;

}  // namespace

COpSysInfo::COpSysInfo(const VersionQuery& query) {
  // Systems that know only the short record refuse the extended one; its
  // extra fields then stay 0.
  record_.dwOSVersionInfoSize = kVersionRecordSize;
  if (!query(record_)) {
    record_ = VersionRecord{};
    record_.dwOSVersionInfoSize = kShortVersionRecordSize;
    query(record_);
  }

  const std::uint32_t major = record_.dwMajorVersion;
  const std::uint32_t minor = record_.dwMinorVersion;
  if (record_.dwPlatformId == kPlatformWin9x) {
    isWin95_ = true;
    isWin98_ = minor >= 10;
    isWinME_ = LoWord(record_.dwBuildNumber) >= 3000;
  } else if (record_.dwPlatformId == kPlatformNT) {
    isWinNT_ = true;
    isWin2K_ = major >= 5;
    isWinXP_ = (major >= 5 && minor >= 1) || major > 5;
    isWin2003_ = (major >= 5 && minor >= 2) || major > 5;
    isWinVista_ = major >= 6;
  }
}

std::int32_t COpSysInfo::LoWord(std::uint32_t value) noexcept {
  const std::int32_t low = static_cast<std::int32_t>(value & 0xFFFFu);
  return low > 0x7FFF ? low - 0x10000 : low;
}

std::int32_t COpSysInfo::BuildNumber() const noexcept { return LoWord(record_.dwBuildNumber); }

std::wstring COpSysInfo::CSDVersion() const {
  const char* csd = record_.szCSDVersion;
  const std::wstring csdVersion =
      AnsiToWide(std::string_view(csd, strnlen(csd, sizeof record_.szCSDVersion)));
  const std::size_t first = csdVersion.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  return csdVersion.substr(first, csdVersion.find_last_not_of(L' ') - first + 1);
}

std::int32_t COpSysInfo::MajorVersion() const noexcept {
  return static_cast<std::int32_t>(record_.dwMajorVersion);
}
std::int32_t COpSysInfo::MinorVersion() const noexcept {
  return static_cast<std::int32_t>(record_.dwMinorVersion);
}
std::int32_t COpSysInfo::PlatformID() const noexcept {
  return static_cast<std::int32_t>(record_.dwPlatformId);
}
std::int32_t COpSysInfo::ProductType() const noexcept { return record_.wProductType; }
std::int16_t COpSysInfo::ServicePackMajor() const noexcept {
  return static_cast<std::int16_t>(record_.wServicePackMajor);
}
std::int16_t COpSysInfo::ServicePackMinor() const noexcept {
  return static_cast<std::int16_t>(record_.wServicePackMinor);
}
std::int16_t COpSysInfo::SuiteMask() const noexcept {
  return static_cast<std::int16_t>(record_.wSuiteMask);
}

bool COpSysInfo::HasAS() const noexcept { return record_.wSuiteMask & kSuiteEnterprise; }
bool COpSysInfo::HasBO() const noexcept { return record_.wSuiteMask & kSuiteBackOffice; }
bool COpSysInfo::HasDC() const noexcept { return record_.wSuiteMask & kSuiteDataCenter; }
bool COpSysInfo::HasSBS() const noexcept { return record_.wSuiteMask & kSuiteSmallBusiness; }
bool COpSysInfo::HasSBSr() const noexcept {
  return record_.wSuiteMask & kSuiteSmallBusinessRestricted;
}
bool COpSysInfo::HasTS() const noexcept { return record_.wSuiteMask & kSuiteTerminal; }

std::wstring COpSysInfo::Platform() const {
  if (isWinME_) return L"Windows Me";
  if (isWin98_) return L"Windows 98";
  if (isWin95_) return L"Windows 95";
  if (isWinVista_) return L"Windows Vista";
  if (isWin2003_) return L"Windows Server 2003";
  if (isWinXP_) return L"Windows XP";
  if (isWin2K_) return L"Windows 2000";
  if (isWinNT_) return L"Windows NT";
  return {};
}

std::wstring COpSysInfo::Version() const {
  return Platform() + L" v" + std::to_wstring(MajorVersion()) + L"." +
         std::to_wstring(MinorVersion()) + L", Build " + std::to_wstring(BuildNumber());
}

std::wstring COpSysInfo::ProductTypeName() const {
  switch (record_.wProductType) {
    case 0:
      return L"Unknown";
    case 1:
      return L"NT Workstation";
    case 2:
      return L"Domain Controller";
    case 3:
      return L"NT Server";
    default:
      return {};
  }
}
