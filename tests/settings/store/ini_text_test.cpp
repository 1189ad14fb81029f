#include "ini_text.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

DictionaryPtr Parse(std::wstring_view text) {
  auto root = std::make_shared<Dictionary>();
  ParseIniText(text, *root, [] { return std::make_shared<Dictionary>(); });
  return root;
}

// The tree in order: "key=value;" for texts, "[name]{...}" for sections.
std::wstring Shape(const Dictionary& table) {
  std::wstring shape;
  for (const Dictionary::Entry& entry : table) {
    if (const DictionaryPtr section = AsDictionary(entry.value)) {
      shape.append(L"[").append(entry.key).append(L"]{").append(Shape(*section)).append(L"}");
    } else {
      shape.append(entry.key).append(L"=").append(*AsText(entry.value)).append(L";");
    }
  }
  return shape;
}

std::wstring ParsedShape(std::wstring_view text) { return Shape(*Parse(text)); }

TEST(IniTextReading, LinesEndAtCarriageReturnOnly) {
  EXPECT_EQ(ParsedShape(L""), L"");
  EXPECT_EQ(ParsedShape(L"[S]\r\n  a1=1\r  b1=2\r\n\r\nc1=3"), L"[S]{a1=1;b1=2;c1=3;}");
  EXPECT_EQ(ParsedShape(L"[S]\nk1=v\nk2=w\r\n"), L"[S]\nk1=v\nk2=w;");
  EXPECT_EQ(ParsedShape(L"\xFEFF[S]\r\nkey=v\r\n"), L"key=v;");
}

TEST(IniTextReading, HeaderNeedsBracketsAtBothEndsOfTheTrimmedLine) {
  EXPECT_EQ(ParsedShape(L"[a=b]\r\nkey=1\r\n[a]=b\r\n"), L"[a=b]{key=1;[a]=b;}");
  EXPECT_EQ(ParsedShape(L" [ PDF Printer ] \r\n[pdf printer]\r\n"),
            L"[PDF Printer]{}[pdf printer]{}");
  EXPECT_EQ(ParsedShape(L"[A]\r\n[]\r\nk1=1\r\n[ ]\r\nk2=2\r\n"), L"[A]{k1=1;}[]{k2=2;}");
}

TEST(IniTextReading, EntriesSplitAtTheFirstEqualsAndLoseOnlySpaces) {
  EXPECT_EQ(ParsedShape(L"[S]\r\n  output = C:\\a.pdf  \r\nk=v=w\r\nab=\r\n\tkey=v\t\r\n"),
            L"[S]{output=C:\\a.pdf;k=v=w;ab=;\tkey=v\t;}");
  EXPECT_EQ(ParsedShape(L"=v\r\n   =v\r\na=\r\nab\r\n;note\r\n;a=b\r\n"), L";a=b;");
}

TEST(IniTextReading, LaterEntriesAndHeadersReplaceEarlierOnesInTheirFirstPlace) {
  EXPECT_EQ(ParsedShape(L"top=1\r\n[S]\r\nkey=1\r\nother=2\r\nkey=3\r\n"),
            L"top=1;[S]{key=3;other=2;}");
  EXPECT_EQ(ParsedShape(L"[A]\r\nk1=1\r\n[B]\r\nk2=2\r\n[A]\r\nk3=3\r\n"), L"[A]{k3=3;}[B]{k2=2;}");
  EXPECT_EQ(ParsedShape(L"PDF Printer=x\r\n[PDF Printer]\r\nkey=1\r\n"), L"[PDF Printer]{key=1;}");
}

// The reader hands entries over in batches; a key repeated across a batch's end,
// or a root entry right before a header, must come out as one entry at a time would.
TEST(IniTextReading, ManyEntriesKeepTheOrderOfTheirFirstPlaceAndTheirLastValue) {
  std::wstring text = L"top=1\r\n[S]\r\n";
  std::wstring expected;
  for (int i = 0; i < 1000; ++i) {
    text += L"k" + std::to_wstring(i % 300) + L"=" + std::to_wstring(i) + L"\r\n";
  }
  for (int i = 0; i < 300; ++i) {
    expected +=
        L"k" + std::to_wstring(i) + L"=" + std::to_wstring(i + (i < 100 ? 900 : 600)) + L";";
  }
  EXPECT_EQ(ParsedShape(text + L"[T]\r\nx=y\r\n"), L"top=1;[S]{" + expected + L"}[T]{x=y;}");
}

TEST(IniTextReading, LongLinesLoadLikeAnyOther) {
  const std::wstring key(40000, L'k');
  const std::wstring value(70000, L'v');
  const DictionaryPtr section = AsDictionary(*Parse(L"[S]\r\n" + key + L"=" + value)->Find(L"S"));
  ASSERT_TRUE(section && section->Find(key));
  EXPECT_EQ(*AsText(*section->Find(key)), value);
}

DictionaryPtr Section(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> entries) {
  auto section = std::make_shared<Dictionary>();
  for (const auto& [key, value] : entries) section->Set(key, value);
  return section;
}

TEST(IniTextWriting, RootTextsFirstThenSectionsWithIndentedUnescapedEntries) {
  EXPECT_EQ(FormatIniText(Dictionary()), L"");
  Dictionary root;
  root.Set(L"A", Section({{L"k", L"1"}, {L"", L"x"}, {L" a=b ", L"c\rd"}}));
  root.Set(L"top", L"x");
  root.Set(L"B", Section({}));
  EXPECT_EQ(FormatIniText(root), L"top=x\r\n[A]\r\n  k=1\r\n  =x\r\n   a=b =c\rd\r\n[B]\r\n");
}

TEST(IniTextRoundTrip, PlainSettingsComeBackAndWhatTheFormatCannotHoldIsLost) {
  Dictionary kept;
  kept.Set(L"PDF Printer",
           Section({{L"output", L"c:\\document.pdf"}, {L"empty", L""}, {L"lf", L"a\nb"}}));
  kept.Set(L"Other", Section({{L"k", L"v=w"}}));
  EXPECT_EQ(FormatIniText(*Parse(FormatIniText(kept))), FormatIniText(kept));

  Dictionary lost;
  lost.Set(L"S",
           Section({{L" padded ", L" v "}, {L"k=ey", L"v"}, {L"a", L""}, {L"cr", L"x\ry=z"}}));
  EXPECT_EQ(Shape(*Parse(FormatIniText(lost))), L"[S]{padded=v;k=ey=v;cr=x;y=z;}");
}

}  // namespace
