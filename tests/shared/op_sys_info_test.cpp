#include "op_sys_info.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

struct Release {
  std::uint32_t platform, major, minor, build;
};

// A version query that answers like a system of the given release.
VersionQuery SystemOf(Release release, const char* csd = "", std::uint16_t suite = 0,
                      std::uint8_t productType = 1, bool refusesLongRecord = false) {
  return [=](VersionRecord& record) {
    if (refusesLongRecord && record.dwOSVersionInfoSize == kVersionRecordSize) return false;
    record.dwPlatformId = release.platform;
    record.dwMajorVersion = release.major;
    record.dwMinorVersion = release.minor;
    record.dwBuildNumber = release.build;
    std::snprintf(record.szCSDVersion, sizeof record.szCSDVersion, "%s", csd);
    if (record.dwOSVersionInfoSize == kVersionRecordSize) {
      record.wServicePackMajor = 3;
      record.wSuiteMask = suite;
      record.wProductType = productType;
    }
    return true;
  };
}

struct ExpectedFlags {
  const char* name;
  Release release;
  bool nt, w2k, xp, w2003, vista, w95, w98, me;
  const wchar_t* platform;
};

}  // namespace

TEST(COpSysInfo, ReleaseTable) {
  const ExpectedFlags table[] = {
      {"95", {1, 4, 0, 950}, 0, 0, 0, 0, 0, 1, 0, 0, L"Windows 95"},
      {"98", {1, 4, 10, 1998}, 0, 0, 0, 0, 0, 1, 1, 0, L"Windows 98"},
      {"Me", {1, 4, 90, 0x045A0BB8}, 0, 0, 0, 0, 0, 1, 1, 1, L"Windows Me"},
      {"NT4", {2, 4, 0, 1381}, 1, 0, 0, 0, 0, 0, 0, 0, L"Windows NT"},
      {"2000", {2, 5, 0, 2195}, 1, 1, 0, 0, 0, 0, 0, 0, L"Windows 2000"},
      {"XP", {2, 5, 1, 2600}, 1, 1, 1, 0, 0, 0, 0, 0, L"Windows XP"},
      {"2003", {2, 5, 2, 3790}, 1, 1, 1, 1, 0, 0, 0, 0, L"Windows Server 2003"},
      {"Vista", {2, 6, 0, 6000}, 1, 1, 1, 1, 1, 0, 0, 0, L"Windows Vista"},
      {"7", {2, 6, 1, 7601}, 1, 1, 1, 1, 1, 0, 0, 0, L"Windows Vista"},
      {"10", {2, 10, 0, 19045}, 1, 1, 1, 1, 1, 0, 0, 0, L"Windows Vista"},
      {"unknown platform", {3, 10, 0, 1}, 0, 0, 0, 0, 0, 0, 0, 0, L""},
  };
  for (const ExpectedFlags& row : table) {
    SCOPED_TRACE(row.name);
    const COpSysInfo info(SystemOf(row.release));
    EXPECT_EQ(info.IsWinNT(), row.nt);
    EXPECT_EQ(info.IsWin2K(), row.w2k);
    EXPECT_EQ(info.IsWinXP(), row.xp);
    EXPECT_EQ(info.IsWin2003(), row.w2003);
    EXPECT_EQ(info.IsWinVista(), row.vista);
    EXPECT_EQ(info.IsWin95(), row.w95);
    EXPECT_EQ(info.IsWin98(), row.w98);
    EXPECT_EQ(info.IsWinME(), row.me);
    EXPECT_EQ(info.IsWin9x(), row.w95 || row.w98 || row.me);
    EXPECT_EQ(info.Platform(), row.platform);
  }
}

TEST(COpSysInfo, VersionLineAndNumbers) {
  const COpSysInfo xp(SystemOf({2, 5, 1, 2600}, "  Service Pack 3  ", 0x00B7, 3));
  EXPECT_EQ(xp.Version(), L"Windows XP v5.1, Build 2600");
  EXPECT_EQ(xp.CSDVersion(), L"Service Pack 3");
  EXPECT_EQ(xp.MajorVersion(), 5);
  EXPECT_EQ(xp.MinorVersion(), 1);
  EXPECT_EQ(xp.PlatformID(), 2);
  EXPECT_EQ(xp.ServicePackMajor(), 3);
  EXPECT_EQ(xp.ProductType(), 3);
  EXPECT_EQ(xp.ProductTypeName(), L"NT Server");
  EXPECT_EQ(xp.SuiteMask(), 0x00B7);
  EXPECT_TRUE(xp.HasSBS() && xp.HasAS() && xp.HasBO() && xp.HasTS() && xp.HasSBSr() && xp.HasDC());
  const COpSysInfo noSuite(SystemOf({2, 5, 1, 2600}));
  EXPECT_FALSE(noSuite.HasSBS() || noSuite.HasAS() || noSuite.HasBO() || noSuite.HasTS() ||
               noSuite.HasSBSr() || noSuite.HasDC());
  EXPECT_EQ(noSuite.CSDVersion(), L"");
}

TEST(COpSysInfo, NegativeBuildNumberAndNinetyFiveBuildWord) {
  const COpSysInfo info(SystemOf({2, 6, 1, 0x0001ABCD}));
  EXPECT_EQ(info.BuildNumber(), 0xABCD - 0x10000);
  EXPECT_EQ(info.Version(), L"Windows Vista v6.1, Build " + std::to_wstring(0xABCD - 0x10000));
  // The 9x family keeps major and minor in the high word: only the low word counts.
  EXPECT_FALSE(COpSysInfo(SystemOf({1, 4, 10, 0x040A08AE})).IsWinME());
}

TEST(COpSysInfo, ShortRecordFallbackLeavesExtendedFieldsZero) {
  const COpSysInfo info(SystemOf({2, 5, 0, 2195}, "Service Pack 4", 0x0010, 1, true));
  EXPECT_TRUE(info.IsWin2K());
  EXPECT_EQ(info.CSDVersion(), L"Service Pack 4");
  EXPECT_EQ(info.ServicePackMajor(), 0);
  EXPECT_EQ(info.SuiteMask(), 0);
  EXPECT_EQ(info.ProductType(), 0);
  EXPECT_EQ(info.ProductTypeName(), L"Unknown");
}

TEST(COpSysInfo, BothQueriesFailing) {
  std::vector<std::uint32_t> sizesAsked;
  const COpSysInfo info([&](VersionRecord& record) {
    sizesAsked.push_back(record.dwOSVersionInfoSize);
    return false;
  });
  EXPECT_EQ(sizesAsked, (std::vector<std::uint32_t>{156, 148}));
  EXPECT_FALSE(info.IsWinNT() || info.IsWin9x() || info.IsWinXP());
  EXPECT_EQ(info.Platform(), L"");
  EXPECT_EQ(info.Version(), L" v0.0, Build 0");
  EXPECT_EQ(info.ProductTypeName(), L"Unknown");
}

TEST(COpSysInfo, ServicePackTextStopsAtItsFirstNulOrFillsTheField) {
  const COpSysInfo full([](VersionRecord& record) {
    std::memset(record.szCSDVersion, 'x', sizeof record.szCSDVersion);
    record.dwPlatformId = 2;
    return true;
  });
  EXPECT_EQ(full.CSDVersion(), std::wstring(128, L'x'));
}

TEST(COpSysInfo, PlatformQueryAnswersAndTheInstanceIsPerThread) {
  const COpSysInfo& first = GetOpSysInfo();
  EXPECT_EQ(&first, &GetOpSysInfo());
  EXPECT_TRUE(first.IsWinNT());
  EXPECT_TRUE(first.IsWinXP());
  EXPECT_GE(first.MajorVersion(), 5);
  EXPECT_EQ(first.Version().rfind(first.Platform() + L" v", 0), 0u);
}
