#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

#include "data_folder_rule.h"
#include "file_text_encoding.h"
#include "ini_text.h"
#include "product_names.h"
#include "setting_rules.h"
#include "settings_file_name.h"

namespace {

TEST(SettingsFileName, NamesTheRegularOrRunOnceFileOfTheInstance) {
  EXPECT_EQ(SettingsFileName(L"D", false, L""), L"D\\settings.ini");
  EXPECT_EQ(SettingsFileName(L"D", true, L""), L"D\\runonce.ini");
  EXPECT_EQ(SettingsFileName(L"D", false, L"Office"), L"D\\settings-Office.ini");
  EXPECT_EQ(SettingsFileName(L"D", true, L"Office"), L"D\\runonce-Office.ini");
  EXPECT_EQ(SettingsFileName(L"", true, L"a\\b*"), L"\\runonce-a%5Cb%2A.ini");
  EXPECT_EQ(SettingsFileName(L"D", false, L"..\\..\\x"), L"D\\settings-..%5C..%5Cx.ini");
}

TEST(SettingsFileName, InstanceEscapesOnlyWhatAFileNameCannotHold) {
  EXPECT_EQ(InstanceFileNamePart(L"a\\b/c:d*e?f\"g<h>i|j"),
            L"a%5Cb%2Fc%3Ad%2Ae%3Ff%22g%3Ch%3Ei%7Cj");
  EXPECT_EQ(InstanceFileNamePart(std::wstring(L"\0\x01\t\n\r\x1F", 6)), L"%00%01%09%0A%0D%1F");
  // What a file name can hold stays, so names that were valid keep their files.
  for (const std::wstring kept :
       {L"a%3Ab", L"..", L"CON", L" a. ", L"\x7F\x85\xA0\u20AC\U0001F600"}) {
    EXPECT_EQ(InstanceFileNamePart(kept), kept);
  }
}

// Each case is a setting and whether the line "  name=value" gives it back (or
// only trims or drops it); the reader itself confirms each answer.
TEST(SettingRules, RefusedExactlyWhenTheLineWouldNotReadBackAsTheSetting) {
  struct Case {
    std::wstring name, value;
    bool storable;
  };
  const Case cases[] = {
      {L"a=b", L"x", false}, {L"a\rb", L"x", false},      {L"a", L"x\ry", false},
      {L"[a", L"b]", false}, {L"  [a ", L" b]  ", false}, {L"[", L"]", false},
      {L"a\nb", L"x", true}, {L"a", L"x\ny", true},       {L"[a", L"b", true},
      {L"a", L"[b]", true},  {L"\n[a", L"b]", true},      {L" output ", L" c:\\a.pdf ", true},
      {L"", L"x", true},     {L"k", L"", true},           {L"a", L"b=c", true},
  };
  const auto trim = [](const std::wstring& text) {
    const auto first = text.find_first_not_of(L' ');
    return first == std::wstring::npos
               ? std::wstring()
               : text.substr(first, text.find_last_not_of(L' ') - first + 1);
  };
  for (const Case& c : cases) {
    const std::string what(c.name.begin(), c.name.end());
    EXPECT_EQ(IsStorableSetting(c.name, c.value), c.storable) << what;
    Dictionary root;
    ParseIniText(L"[S]\r\n  " + c.name + L"=" + c.value + L"\r\n", root,
                 [] { return std::make_shared<Dictionary>(); });
    const DictionaryPtr read = root.Count() == 1 ? AsDictionary(*root.Find(L"S")) : nullptr;
    const bool backAsGiven =
        read && (read->Count() == 0 || (read->Count() == 1 && read->begin()->key == trim(c.name) &&
                                        *AsText(read->begin()->value) == trim(c.value)));
    EXPECT_EQ(backAsGiven, c.storable) << what;
  }
}

TEST(FileTextEncoding, Utf8ThatIsNoTextBecomesReplacementCharacters) {
  const std::pair<std::string, std::wstring> cases[] = {
      {"a\xF0\x9F\x98\x80\xC3\xA9", L"a\xD83D\xDE00\u00E9"},
      {"\xC3", L"\uFFFD"},              // cut short
      {"\xC0\x80x", L"\uFFFD\uFFFDx"},  // overlong
      {"\xE2\x82", L"\uFFFD"},          // cut short after two bytes
      {"\xF4\x90\x80\x80", L"\uFFFD"},  // beyond U+10FFFF
      {"\x80\xBF", L"\uFFFD\uFFFD"},    // continuations alone
      {"\xED\xA0\x80", L"\xD800"},      // a lone surrogate, as WideToUtf8 writes it
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(Utf8ToWide(bytes), text) << bytes;
  for (const std::wstring text : {L"\xDC00\xD800", L"x\xD83D", L"\u20AC"}) {
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
  }
}

TEST(ProductNames, BackslashesBecomeUnderscoresForRegistryKeys) {
  EXPECT_EQ(ReplaceBackslashes(L"a\\b\\\\c/d"), L"a_b__c/d");
  EXPECT_EQ(GetAppName(), L"PDF Writer");
}

// A world of environment variables, a registry value and existing folders.
class DataFolderRule : public ::testing::Test {
 protected:
  std::wstring Resolve() {
    DataFolderSources sources;
    sources.environment = [this](const wchar_t* name) {
      const auto found = environment_.find(name);
      return found == environment_.end() ? std::wstring() : found->second;
    };
    sources.registryUserData = [this] {
      ++registryReads_;
      return userData_;
    };
    sources.libraryFolder = [] { return std::wstring(L"C:\\Program Files\\Quillmar\\PDF Writer"); };
    sources.ensureFolder = [this](const std::wstring& path) {
      ensured_.push_back(path);
      if (failing_.count(path)) throw std::runtime_error("cannot create");
      return !refused_.count(path);
    };
    sources.userSid = [this] { return sid_; };
    sources.ensureUserFolder = [this](const std::wstring& path, const std::wstring& sid) {
      userFolders_.push_back(path + L" for " + sid);
      return !refused_.count(path);
    };
    sources.companyFolderName = L"Quillmar";
    sources.appFolderName = L"PDF Writer";
    resolved_ = ResolveDataFolder(sources);
    return resolved_.folder;
  }

  std::map<std::wstring, std::wstring> environment_;
  std::wstring userData_;
  std::set<std::wstring> refused_;  // folders that stay missing
  std::set<std::wstring> failing_;  // folders whose creation raises
  std::vector<std::wstring> ensured_;
  std::wstring sid_ = L"S-1-5-21-1-2-3-1001";
  std::vector<std::wstring> userFolders_;  // the user folders made, " for " their user
  ResolvedDataFolder resolved_;
  int registryReads_ = 0;
};

TEST_F(DataFolderRule, AppDataComesFirstWithOneTrailingBackslashDropped) {
  environment_ = {{L"APPDATA", L"C:\\Users\\anna\\AppData\\Roaming\\"},
                  {L"USERPROFILE", L"C:\\Users\\anna"}};
  EXPECT_EQ(Resolve(), L"C:\\Users\\anna\\AppData\\Roaming\\Quillmar\\PDF Writer");
  EXPECT_EQ(registryReads_, 0);
}

TEST_F(DataFolderRule, UserProfileServesWhenAppDataIsUnsetOrUnusable) {
  environment_ = {{L"USERPROFILE", L"C:\\Users\\anna"}};
  EXPECT_EQ(Resolve(), L"C:\\Users\\anna\\Quillmar\\PDF Writer");
  environment_[L"APPDATA"] = L"X:\\gone";
  refused_ = {L"X:\\gone\\Quillmar\\PDF Writer"};
  EXPECT_EQ(Resolve(), L"C:\\Users\\anna\\Quillmar\\PDF Writer");
}

// Each user gets a folder of that user's own in the shared machine folder; a
// user whose identity is unknown gets none of it.
TEST_F(DataFolderRule, RegistryFolderGivesEachUserAFolderOfItsOwn) {
  userData_ = L"D:\\Shared\\";
  EXPECT_EQ(Resolve(), L"D:\\Shared\\S-1-5-21-1-2-3-1001");
  EXPECT_EQ(resolved_.sharedFolder, L"D:\\Shared");
  EXPECT_EQ(ensured_, std::vector<std::wstring>{L"D:\\Shared"});
  EXPECT_EQ(userFolders_,
            std::vector<std::wstring>{L"D:\\Shared\\S-1-5-21-1-2-3-1001 for S-1-5-21-1-2-3-1001"});

  sid_.clear();
  EXPECT_EQ(Resolve(), L"C:\\Program Files\\Quillmar\\PDF Writer\\data");
  EXPECT_EQ(resolved_.sharedFolder, L"");
  EXPECT_EQ(userFolders_.size(), 1u);
}

TEST_F(DataFolderRule, LibraryFolderDataIsTheLastResort) {
  EXPECT_EQ(Resolve(), L"C:\\Program Files\\Quillmar\\PDF Writer\\data");
  refused_ = {L"C:\\Program Files\\Quillmar\\PDF Writer\\data"};
  EXPECT_EQ(Resolve(), L"");
}

TEST_F(DataFolderRule, CreationErrorEndsTheSearch) {
  environment_ = {{L"APPDATA", L"Q:\\locked"}, {L"USERPROFILE", L"C:\\Users\\anna"}};
  failing_ = {L"Q:\\locked\\Quillmar\\PDF Writer"};
  EXPECT_THROW(Resolve(), std::runtime_error);
  EXPECT_EQ(ensured_.size(), 1u);
}

}  // namespace
