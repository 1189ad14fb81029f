// The names that Windows opens as devices, and their safe forms.
#include "device_names.h"

#include <gtest/gtest.h>

TEST(DeviceNames, BlanksAndDotsBeforeTheExtensionAndSuperscriptDigitsCount) {
  const struct {
    const wchar_t* name;
    const wchar_t* safe;  // the same name when it is no device
  } cases[] = {
      {L"CON", L"CON_"},
      {L"aux", L"aux_"},
      {L"NUL .txt", L"NUL_ .txt"},
      {L"COM1 .log", L"COM1_ .log"},
      {L"nul.tar.gz", L"nul_.tar.gz"},
      {L"Prn  ", L"Prn_  "},
      {L"NUL. .pdf", L"NUL_. .pdf"},
      {L"lpt9", L"lpt9_"},
      {L"COM\u00B9", L"COM\u00B9_"},
      {L"lpt\u00B2.pdf", L"lpt\u00B2_.pdf"},
      {L"LPT\u00B3 ", L"LPT\u00B3_ "},
      {L"COM0", L"COM0"},
      {L"LPT0.txt", L"LPT0.txt"},
      {L"COM\u2074", L"COM\u2074"},  // superscript four
      {L"COM10", L"COM10"},
      {L"CONSOLE", L"CONSOLE"},
      {L"CON x.pdf", L"CON x.pdf"},
      {L" NUL", L" NUL"},
      {L"NUL\u00A0", L"NUL\u00A0"},  // no-break space is no blank
      {L"a.CON", L"a.CON"},
      {L"NUL_", L"NUL_"},
      {L"CO", L"CO"},
      {L"", L""},
  };
  for (const auto& c : cases) {
    const bool device = std::wstring(c.safe) != c.name;
    EXPECT_EQ(IsDeviceName(c.name), device) << testing::PrintToString(std::wstring(c.name));
    EXPECT_EQ(DeviceSafeName(c.name), c.safe);
    EXPECT_FALSE(IsDeviceName(c.safe));
  }
}
