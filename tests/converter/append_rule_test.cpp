// Appending only to the printing user's own PDF.
#include "append_rule.h"

#include <gtest/gtest.h>

TEST(AppendRule, OnlyAPdfOwnedByTheUserTakesMorePages) {
  const struct {
    ExistingFileFacts facts;
    const wchar_t* refused;  // part of the reason; null: appending is allowed
  } cases[] = {
      {{"%PDF-", L"NTFS", true}, nullptr},
      {{"%PDF-", L"", true}, nullptr},
      {{"%PDF-", L"FAT32", false}, nullptr},
      {{"%PDF-", L"ntfs", false}, L"not owned"},
      {{"%PDF-", L"ReFS", false}, L"not owned"},
      {{"%PDF-", L"", false}, L"not owned"},
      {{"%!PS-Adobe", L"NTFS", true}, L"not start as a PDF"},
      {{"%PDF", L"FAT32", true}, L"not start as a PDF"},
      {{" %PDF-", L"NTFS", true}, L"not start as a PDF"},
  };
  for (const auto& c : cases) {
    const std::wstring reason = WhyNotAppendTo(c.facts).value_or(L"");
    EXPECT_EQ(reason.empty(), !c.refused) << c.facts.head;
    if (c.refused) {
      EXPECT_NE(reason.find(c.refused), std::wstring::npos) << c.facts.head;
    }
  }
}
