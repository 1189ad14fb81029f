#include "dictionary.h"

#include <gtest/gtest.h>

#include "automation_error.h"

TEST(Dictionary, KeepsInsertionOrderAndReplacesInPlace) {
  Dictionary d;
  d.Set(L"b", L"1");
  d.Set(L"a", L"2");
  d.Set(L"c", L"3");
  d.Set(L"a", L"4");
  EXPECT_EQ(d.Keys(), (std::vector<std::wstring>{L"b", L"a", L"c"}));
  EXPECT_EQ(*AsText(*d.Find(L"a")), L"4");
  std::vector<std::wstring> walked;
  for (const auto& entry : d) walked.emplace_back(entry.key);
  EXPECT_EQ(walked, d.Keys());
}

TEST(Dictionary, ComparesKeysExactly) {
  Dictionary d;
  d.Set(L"Output", L"x");
  EXPECT_TRUE(d.Exists(L"Output"));
  EXPECT_FALSE(d.Exists(L"output"));
  EXPECT_EQ(d.Find(L"OUTPUT"), nullptr);
  d.Add(L"output", L"y");
  EXPECT_EQ(d.Count(), 2u);
}

TEST(Dictionary, AddOfAPresentKeyRaises457AndKeepsTheOldValue) {
  Dictionary d;
  d.Add(L"k", L"first");
  try {
    d.Add(L"k", L"second");
    FAIL() << "no error raised";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), 457);
    EXPECT_EQ(e.Description(),
              L"This key is already associated with an element of this collection");
    EXPECT_EQ(e.Source(), L"tests");
  }
  EXPECT_EQ(*AsText(*d.Find(L"k")), L"first");
  EXPECT_EQ(d.Count(), 1u);
}

TEST(Dictionary, HoldsNestedTables) {
  Dictionary root;
  auto section = std::make_shared<Dictionary>();
  section->Set(L"name", L"value");
  root.Set(L"Section", section);
  root.Set(L"plain", L"text");
  EXPECT_EQ(AsDictionary(*root.Find(L"plain")), nullptr);
  EXPECT_EQ(AsText(*root.Find(L"Section")), nullptr);
  ASSERT_NE(AsDictionary(*root.Find(L"Section")), nullptr);
  EXPECT_EQ(*AsText(*AsDictionary(*root.Find(L"Section"))->Find(L"name")), L"value");
  EXPECT_STREQ(Dictionary::TypeName(), L"Dictionary");
}

TEST(Dictionary, ManyKeysKeepOrderAndLookupsAcrossGrowth) {
  Dictionary d;
  constexpr int kCount = 20000;
  for (int i = 0; i < kCount; ++i) d.Add(L"key" + std::to_wstring(i), std::to_wstring(i));
  for (int i = 0; i < kCount; i += 7) d.Set(L"key" + std::to_wstring(i), L"changed");
  ASSERT_EQ(d.Count(), static_cast<std::size_t>(kCount));
  int position = 0;
  for (const auto& entry : d) {
    ASSERT_EQ(entry.key, L"key" + std::to_wstring(position));
    ASSERT_EQ(*AsText(entry.value), position % 7 == 0 ? L"changed" : std::to_wstring(position));
    ++position;
  }
  EXPECT_FALSE(d.Exists(L"key" + std::to_wstring(kCount)));
  EXPECT_TRUE(d.Exists(L"key19999"));
  EXPECT_THROW(d.Add(L"key12345", L"again"), AutomationError);
}

// Replaced texts pile up in the table's text store until it copies the live ones
// away; every value, and a value set from a view of the table's own text, must
// survive that.
TEST(Dictionary, ValuesSurviveManyReplacementsAndSelfCopies) {
  Dictionary d;
  for (int i = 0; i < 100; ++i) d.Set(L"key" + std::to_wstring(i), std::to_wstring(i));
  const std::wstring longText(1000, L'x');
  for (int round = 0; round < 2000; ++round) {
    d.Set(L"key5", longText + std::to_wstring(round));
    d.Set(L"copy", *AsText(*d.Find(L"key5")));  // a view of the table's own text
    d.Set(L"key7", *AsText(*d.Find(L"key7")));  // replaced by itself
  }
  ASSERT_EQ(d.Count(), 101u);
  EXPECT_EQ(*AsText(*d.Find(L"key5")), longText + L"1999");
  EXPECT_EQ(*AsText(*d.Find(L"copy")), longText + L"1999");
  EXPECT_EQ(*AsText(*d.Find(L"key7")), L"7");
  for (int i = 0; i < 100; ++i) {
    if (i != 5) {
      EXPECT_EQ(*AsText(*d.Find(L"key" + std::to_wstring(i))), std::to_wstring(i));
    }
  }
  d.Set(L"key9", std::make_shared<Dictionary>());
  d.Set(L"key9", L"text again");
  EXPECT_EQ(*AsText(*d.Find(L"key9")), L"text again");
  EXPECT_EQ(d.Keys().back(), L"copy");
}
