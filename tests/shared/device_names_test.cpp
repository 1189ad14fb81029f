// The names that Windows opens as devices, and their safe forms.
#include "device_names.h"

#include <gtest/gtest.h>

TEST(DeviceNames, BlanksAndDotsBeforeTheExtensionAndSuperscriptDigitsCount) {
  const struct {
    const wchar_t* name;
    const wchar_t* safe;  // the name itself when it is no device
  } cases[] = {
      // clang-format off
      {L"CON", L"CON_"}, {L"NUL .txt", L"NUL_ .txt"}, {L"COM1 .log", L"COM1_ .log"},
      {L"nul.tar.gz", L"nul_.tar.gz"}, {L"Prn  ", L"Prn_  "}, {L"lpt\u00B2.x", L"lpt\u00B2_.x"},
      {L"COM0", L"COM0"}, {L"COM\u2074", L"COM\u2074"}, {L"COM10", L"COM10"},
      {L"CONSOLE", L"CONSOLE"}, {L"CON x.pdf", L"CON x.pdf"}, {L" NUL", L" NUL"},
      {L"NUL\u00A0", L"NUL\u00A0"}, {L"a.CON", L"a.CON"}, {L"", L""},
  };  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(IsDeviceName(c.name), std::wstring(c.safe) != c.name) << c.safe;
    EXPECT_EQ(DeviceSafeName(c.name), c.safe);
  }
}
