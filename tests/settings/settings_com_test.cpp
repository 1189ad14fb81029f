// The registered class as a late-bound client sees it: the files written,
// member names in any case, error 1000 and its record. (The script clients
// cover the configuration tool's sequence, the omitted argument, instances,
// Init and RemoveSettings.)
#include <gtest/gtest.h>

#include "child_process.h"

#include "com_test_support.h"
#include "save_file_names.h"
#include "scratch_folder.h"
#include "tavrin_h.h"
#include "unique_resource.h"

namespace {

// One data folder for the whole program: APPDATA points into a scratch folder
// before the component resolves it (it keeps the answer per thread).
const std::wstring& DataFolder() {
  static ScratchFolder scratch;
  static const std::wstring folder = [] {
    SetEnvironmentVariableW(L"APPDATA", scratch.Path().c_str());
    CreateDirectoryW((scratch / L"Quillmar").c_str(), nullptr);
    CreateDirectoryW((scratch / L"Quillmar\\PDF Writer").c_str(), nullptr);
    return scratch / L"Quillmar\\PDF Writer";
  }();
  return folder;
}

class SettingsThroughCom : public ::testing::Test {
 protected:
  void SetUp() override {
    DataFolder();
    object_ = CreateByProgId(kProgId);
    ASSERT_TRUE(object_) << "the class is not registered";
  }

  // Calls a method that must succeed and returns its text result.
  std::wstring Call(const std::wstring& name,
                    const std::vector<AutomationArgument>& arguments = {}) {
    const AutomationOutcome outcome = CallByName(object_.get(), name, arguments);
    EXPECT_TRUE(outcome.Succeeded()) << "calling " << std::string(name.begin(), name.end()) << ": "
                                     << HresultText(outcome.result);
    return outcome.text;
  }
  static std::wstring PathOf(const std::wstring& fileName) {
    return DataFolder() + L"\\" + fileName;
  }
  static std::string Bytes(const std::wstring& fileName) { return ReadFileBytes(PathOf(fileName)); }
  static void Prepare(const std::wstring& fileName, const std::string& bytes) {
    WriteFileBytes(PathOf(fileName), bytes);
    ASSERT_EQ(Bytes(fileName), bytes);
  }

  Apartment apartment_;
  ComPtr<IDispatch> object_;
};

TEST_F(SettingsThroughCom, MembersAreFoundByNameInAnyCase) {
  const std::pair<const wchar_t*, DISPID> members[] = {{L"init", 0x60030001},
                                                       {L"LOADSETTINGS", 0x60030002},
                                                       {L"WriteSettings", 0x60030003},
                                                       {L"removesettings", 0x60030004},
                                                       {L"setVALUE", 0x60030005},
                                                       {L"GetValue", 0x60030006},
                                                       {L"SetPrinterInstance", 0x60030007}};
  for (const auto& [name, expected] : members) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    ASSERT_EQ(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, expected);
  }
  EXPECT_EQ(CallByName(object_.get(), L"NoSuchMember").result, DISP_E_UNKNOWNNAME);
}

TEST_F(SettingsThroughCom, NamesAreExactAndTheEmptyNameIsWrittenButNotRead) {
  Call(L"SetPrinterInstance", {std::wstring(L"names")});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"output")}), L"");
  Call(L"SetValue", {std::wstring(L"output"), std::wstring(L"x")});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"Output")}), L"");
  Call(L"SetValue", {std::wstring(L""), std::wstring(L"x")});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"")}), L"");
  Call(L"SetValue", {std::wstring(L"blank"), std::wstring(L"")});
  Call(L"SetValue", {std::wstring(L"output"), std::wstring(L"y")});
  Call(L"WriteSettings", {false});
  EXPECT_EQ(Bytes(L"settings-names.ini"), "[PDF Printer]\r\n  output=y\r\n  =x\r\n  blank=\r\n");

  Call(L"LoadSettings", {false});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"output")}), L"y");
  Call(L"WriteSettings", {false});
  EXPECT_EQ(Bytes(L"settings-names.ini"), "[PDF Printer]\r\n  output=y\r\n  blank=\r\n");
}

TEST_F(SettingsThroughCom, LoadKeepsOnlyThePrinterSectionAndCopiesAcrossFiles) {
  Call(L"SetPrinterInstance", {std::wstring(L"copy")});
  Prepare(L"settings-copy.ini",
          "top=1\r\n[Other]\r\n  k=v\r\n[PDF Printer]\r\n  output = c:\\a.pdf \r\n");
  Call(L"SetValue", {std::wstring(L"stale"), std::wstring(L"1")});
  Call(L"LoadSettings", {false});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"stale")}), L"");
  Call(L"WriteSettings", {true});
  EXPECT_EQ(Bytes(L"runonce-copy.ini"), "[PDF Printer]\r\n  output=c:\\a.pdf\r\n");
  Call(L"WriteSettings", {false});
  EXPECT_EQ(Bytes(L"settings-copy.ini"), "[PDF Printer]\r\n  output=c:\\a.pdf\r\n");
}

TEST_F(SettingsThroughCom, MisnamedOrMissingSectionLoadsAsEmptySettings) {
  Call(L"SetPrinterInstance", {std::wstring(L"misnamed")});
  for (const char* content : {"[pdf printer]\r\n  a=1\r\n", "PDF Printer=x\r\n"}) {
    Prepare(L"runonce-misnamed.ini", content);
    Call(L"SetValue", {std::wstring(L"a"), std::wstring(L"old")});
    Call(L"LoadSettings", {true});
    EXPECT_EQ(Call(L"GetValue", {std::wstring(L"a")}), L"") << content;
  }
  DeleteFileW(PathOf(L"runonce-misnamed.ini").c_str());
  Call(L"SetValue", {std::wstring(L"a"), std::wstring(L"old")});
  Call(L"LoadSettings", {true});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"a")}), L"");
}

TEST_F(SettingsThroughCom, UnwritableFileRaisesError1000WithItsRecord) {
  Call(L"SetPrinterInstance", {std::wstring(L"readonly")});
  Prepare(L"settings-readonly.ini", "");
  ASSERT_TRUE(
      SetFileAttributesW(PathOf(L"settings-readonly.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  const std::wstring expectedStart =
      L"Error writing settings file '" + PathOf(L"settings-readonly.ini") + L"'. Error 5: ";

  // Late bound: the exception comes back through EXCEPINFO.
  const AutomationOutcome outcome = CallByName(object_.get(), L"WriteSettings", {false});
  EXPECT_EQ(outcome.result, DISP_E_EXCEPTION);
  EXPECT_EQ(outcome.errorCode, kWriteErrorResult);
  EXPECT_EQ(outcome.description.rfind(expectedStart, 0), 0u)
      << std::string(outcome.description.begin(), outcome.description.end());
  EXPECT_GT(outcome.description.size(), expectedStart.size());
  EXPECT_EQ(outcome.source, kProgId);

  // Early bound: the HRESULT and the error-information record.
  ComPtr<_PDFPrinterSettings> settings;
  ASSERT_EQ(object_->QueryInterface(IID__PDFPrinterSettings, settings.put_void()), S_OK);
  ComPtr<ISupportErrorInfo> support;
  ASSERT_EQ(object_->QueryInterface(IID_ISupportErrorInfo, support.put_void()), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__PDFPrinterSettings), S_OK);
  EXPECT_EQ(settings->WriteSettings(VARIANT_FALSE), kWriteErrorResult);
  ComPtr<IErrorInfo> record;
  ASSERT_EQ(GetErrorInfo(0, record.put()), S_OK);
  BSTR description = nullptr;
  ASSERT_EQ(record->GetDescription(&description), S_OK);
  UniqueBstr ownedDescription(description);
  EXPECT_EQ(std::wstring(description), outcome.description);
  SetFileAttributesW(PathOf(L"settings-readonly.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SettingsThroughCom, FailedWriteKeepsThePreviousFile) {
  Call(L"SetPrinterInstance", {std::wstring(L"busy")});
  Call(L"SetValue", {std::wstring(L"a"), std::wstring(L"1")});
  Call(L"WriteSettings", {true});
  Call(L"SetValue", {std::wstring(L"a"), std::wstring(L"2")});
  {
    // A reader that does not share deletion keeps the file from being replaced.
    UniqueFileHandle reader(CreateFileW(PathOf(L"runonce-busy.ini").c_str(), GENERIC_READ,
                                        FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    const AutomationOutcome outcome = CallByName(object_.get(), L"WriteSettings", {true});
    EXPECT_EQ(outcome.errorCode, kWriteErrorResult);
    EXPECT_EQ(outcome.description.rfind(
                  L"Error writing settings file '" + PathOf(L"runonce-busy.ini") + L"'. Error ", 0),
              0u);
  }
  EXPECT_EQ(Bytes(L"runonce-busy.ini"), "[PDF Printer]\r\n  a=1\r\n");
  EXPECT_EQ(ListFiles(DataFolder(), L"runonce-busy*"),
            std::vector<std::wstring>{L"runonce-busy.ini"});
}

TEST_F(SettingsThroughCom, ValuesComeBackExactlyFromAnAnsiFileWhenItHoldsThemElseFromUtf8) {
  ASSERT_EQ(GetACP(), 1252u) << "the expected bytes are those of code page 1252";
  const std::string header = "[PDF Printer]\r\n  v=";
  const std::string utf8 = "\xEF\xBB\xBF\r\r\n" + header;
  const std::pair<std::wstring, std::string> cases[] = {
      {L"caf\u00E9 \u20AC", header + "caf\xE9 \x80"},
      {L"\u0141\u00F3d\u017A \u20AC", utf8 + "\xC5\x81\xC3\xB3"
                                             "d\xC5\xBA \xE2\x82\xAC"},
      {L"\u6771\u4EAC\U0001F600", utf8 + "\xE6\x9D\xB1\xE4\xBA\xAC\xF0\x9F\x98\x80"},
      // Best-fit letters would be "A" and "/": another name, another folder.
      {L"\u0100\u2215", utf8 + "\xC4\x80\xE2\x88\x95"},
  };
  for (const auto& [value, bytes] : cases) {
    Call(L"SetPrinterInstance", {std::wstring(L"unicode")});
    Call(L"SetValue", {std::wstring(L"v"), value});
    Call(L"WriteSettings", {true});
    EXPECT_EQ(Bytes(L"runonce-unicode.ini"), bytes + "\r\n");
    ComPtr<IDispatch> reader = CreateByProgId(kProgId);
    CallByName(reader.get(), L"SetPrinterInstance", {std::wstring(L"unicode")});
    CallByName(reader.get(), L"LoadSettings", {true});
    EXPECT_EQ(CallByName(reader.get(), L"GetValue", {std::wstring(L"v")}).text, value);
  }
}

TEST_F(SettingsThroughCom, Utf8AndUtf16FilesOfOtherProgramsLoad) {
  const std::wstring text = L"[PDF Printer]\r\n  city=\u0141\u00F3d\u017A\r\n  sign=\u20AC\r\n";
  std::string utf16 = "\xFF\xFE";
  for (const wchar_t c : text) utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  Call(L"SetPrinterInstance", {std::wstring(L"foreign")});
  for (const std::string& bytes :
       {std::string("\xEF\xBB\xBF[PDF Printer]\r\n  city=\xC5\x81\xC3\xB3"
                    "d\xC5\xBA\r\n"
                    "  sign=\xE2\x82\xAC\r\n"),
        utf16}) {
    Prepare(L"runonce-foreign.ini", bytes);
    Call(L"LoadSettings", {true});
    EXPECT_EQ(Call(L"GetValue", {std::wstring(L"city")}), L"\u0141\u00F3d\u017A");
    EXPECT_EQ(Call(L"GetValue", {std::wstring(L"sign")}), L"\u20AC");
  }
}

TEST_F(SettingsThroughCom, FileThatCouldNotBeReadIsNotWrittenOver) {
  Call(L"SetPrinterInstance", {std::wstring(L"locked")});
  const std::string before = "[PDF Printer]\r\n  a=1\r\n  b=2\r\n";
  Prepare(L"runonce-locked.ini", before);
  {
    UniqueFileHandle lock(CreateFileW(PathOf(L"runonce-locked.ini").c_str(), GENERIC_READ, 0,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    Call(L"LoadSettings", {true});
  }
  Call(L"SetValue", {std::wstring(L"a"), std::wstring(L"3")});
  const AutomationOutcome outcome = CallByName(object_.get(), L"WriteSettings", {true});
  EXPECT_EQ(outcome.errorCode, kWriteErrorResult);
  EXPECT_EQ(
      outcome.description.rfind(
          L"Error writing settings file '" + PathOf(L"runonce-locked.ini") + L"'. Error 32: ", 0),
      0u);
  EXPECT_EQ(Bytes(L"runonce-locked.ini"), before);

  // Once the file is removed, nothing unread can be written over.
  Call(L"RemoveSettings", {true});
  Call(L"WriteSettings", {true});
  EXPECT_EQ(Bytes(L"runonce-locked.ini"), "[PDF Printer]\r\n  a=3\r\n");

  // Once a load has read it, the file is written as usual.
  Prepare(L"runonce-locked.ini", before);
  Call(L"LoadSettings", {true});
  Call(L"SetValue", {std::wstring(L"a"), std::wstring(L"3")});
  Call(L"WriteSettings", {true});
  EXPECT_EQ(Bytes(L"runonce-locked.ini"), "[PDF Printer]\r\n  a=3\r\n  b=2\r\n");
}

TEST_F(SettingsThroughCom, AnySettingIsKeptButAWriteRefusesOneThatWouldNotComeBack) {
  Call(L"SetPrinterInstance", {std::wstring(L"refused")});
  Prepare(L"runonce-refused.ini", "[PDF Printer]\r\n  kept=1\r\n");
  for (const auto& [name, value] : {std::pair<std::wstring, std::wstring>{L"a=b", L"x"},
                                    {L"subject", L"two\r\nlines"},
                                    {L"  [a", L"b]  "},
                                    {L"c\rr", L"x"}}) {
    Call(L"LoadSettings", {true});
    Call(L"SetValue", {name, value});
    EXPECT_EQ(Call(L"GetValue", {name}), value);
    const AutomationOutcome outcome = CallByName(object_.get(), L"WriteSettings", {true});
    EXPECT_EQ(outcome.errorCode, static_cast<HRESULT>(0x800A0005));
    EXPECT_EQ(outcome.description.rfind(L"Invalid procedure call or argument", 0), 0u);
    EXPECT_NE(outcome.description.find(L"'" + name + L"'"), std::wstring::npos);
    EXPECT_EQ(Bytes(L"runonce-refused.ini"), "[PDF Printer]\r\n  kept=1\r\n");
  }
  // Lone line feeds come back; blanks and the empty name are written as given.
  Call(L"Init");
  Call(L"SetPrinterInstance", {std::wstring(L"refused")});
  for (const auto& [name, value] : {std::pair<std::wstring, std::wstring>{L"lf\nname", L"x"},
                                    {L"v", L"x\ny"},
                                    {L"[a", L"b"},
                                    {L" padded ", L" v "},
                                    {L"", L"e"}}) {
    Call(L"SetValue", {name, value});
  }
  Call(L"WriteSettings", {true});
  EXPECT_EQ(Bytes(L"runonce-refused.ini"),
            "[PDF Printer]\r\n  lf\nname=x\r\n  v=x\ny\r\n  [a=b\r\n   padded = v \r\n  =e\r\n");
  Call(L"LoadSettings", {true});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"lf\nname")}), L"x");
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"v")}), L"x\ny");
}

// Before instance names were escaped, "HP:Laser" named the file
// "settings-HP:Laser.ini": its settings are read from there until a write
// puts them under the escaped name.
TEST_F(SettingsThroughCom, InstanceWithAColonReadsItsVerbatimFileUntilWritten) {
  const std::string old = "[PDF Printer]\r\n  output=c:\\old.pdf\r\n";
  Prepare(L"settings-HP:Laser.ini", old);
  Call(L"SetPrinterInstance", {std::wstring(L"HP:Laser")});
  Call(L"LoadSettings", {false});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"output")}), L"c:\\old.pdf");
  Call(L"SetValue", {std::wstring(L"format"), std::wstring(L"png")});
  Call(L"WriteSettings", {false});
  EXPECT_EQ(Bytes(L"settings-HP%3ALaser.ini"),
            "[PDF Printer]\r\n  output=c:\\old.pdf\r\n  format=png\r\n");
  EXPECT_EQ(Bytes(L"settings-HP:Laser.ini"), old);
  Call(L"SetValue", {std::wstring(L"output"), std::wstring(L"c:\\new.pdf")});
  Call(L"WriteSettings", {false});
  Call(L"LoadSettings", {false});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"output")}), L"c:\\new.pdf");
  // Only ":" was escaped before: "HP:Laser/2" never had a file of its verbatim name.
  Prepare(L"settings-HP:Laser%2F2.ini", old);
  Call(L"SetPrinterInstance", {std::wstring(L"HP:Laser/2")});
  Call(L"LoadSettings", {false});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"output")}), L"");
  DeleteFileW(PathOf(L"settings-HP:Laser.ini").c_str());
  DeleteFileW(PathOf(L"settings-HP:Laser%2F2.ini").c_str());
}

// The entries of a file that another program wrote as the format allows are
// written back as they were read, and the file takes new settings.
TEST_F(SettingsThroughCom, FileOfAnotherProgramIsReadAndWrittenBackWithANewSetting) {
  Call(L"SetPrinterInstance", {std::wstring(L"foreign ansi")});
  Prepare(L"settings-foreign ansi.ini",
          "top=1\r\n[PDF Printer]\r\na = b = c\r\n[k=v\r\n  [a=b \r\n\tt=1\r\n"
          "lf=x\ny\r\n;note\r\n[Other]\r\n  o=1\r\n");
  Call(L"LoadSettings", {false});
  Call(L"SetValue", {std::wstring(L"output"), std::wstring(L"c:\\a.pdf")});
  Call(L"WriteSettings", {false});
  EXPECT_EQ(Bytes(L"settings-foreign ansi.ini"),
            "[PDF Printer]\r\n  a=b = c\r\n  [k=v\r\n  [a=b\r\n  \tt=1\r\n  lf=x\ny\r\n"
            "  output=c:\\a.pdf\r\n");
  Call(L"LoadSettings", {false});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"[k")}), L"v");
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"lf")}), L"x\ny");
}

// Any name names one file inside the data folder; a name that could stand in a
// file name reaches the file it always had ("a:b" shares the one of "a%3Ab").
TEST_F(SettingsThroughCom, AnyInstanceNameNamesOneFileInsideTheDataFolder) {
  const std::wstring parent = DataFolder().substr(0, DataFolder().rfind(L'\\'));
  const std::vector<std::wstring> parentBefore = ListFiles(parent, L"*");
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"..\\..\\x", L"..%5C..%5Cx"},
      {L"a\\b/c:d*e?f\"g<h>i|j", L"a%5Cb%2Fc%3Ad%2Ae%3Ff%22g%3Ch%3Ei%7Cj"},
      {std::wstring(L"\x01\t\x1F\0z", 5), L"%01%09%1F%00z"},
      {L"a:b", L"a%3Ab"},
      {L"Office", L"Office"},
      {L"Caf\u00E9 #2 (A4) [x] ~$", L"Caf\u00E9 #2 (A4) [x] ~$"},
      {L" a. ", L" a. "},
      {L"..", L".."},
      {L"CON", L"CON"},
      {L"\x7F\x85", L"\x7F\x85"},
  };
  for (const auto& [instance, part] : cases) {
    const std::wstring file = L"settings-" + part + L".ini";
    const std::string what(file.begin(), file.end());
    Prepare(file, "[PDF Printer]\r\n  old=1\r\n");
    ComPtr<IDispatch> object = CreateByProgId(kProgId);
    EXPECT_TRUE(CallByName(object.get(), L"SetPrinterInstance", {instance}).Succeeded()) << what;
    CallByName(object.get(), L"LoadSettings", {false});
    CallByName(object.get(), L"SetValue", {std::wstring(L"new"), std::wstring(L"2")});
    EXPECT_TRUE(CallByName(object.get(), L"WriteSettings", {false}).Succeeded()) << what;
    EXPECT_EQ(Bytes(file), "[PDF Printer]\r\n  old=1\r\n  new=2\r\n") << what;
    DeleteFileW(PathOf(file).c_str());
  }
  EXPECT_EQ(ListFiles(parent, L"*"), parentBefore);
}

TEST_F(SettingsThroughCom, SaveOfTheLongestFileNameWorksAndRemovesLeftoversOfKilledSaves) {
  // "runonce-" + instance + ".ini" is 255 characters, the longest name of a file.
  const std::wstring instance(255 - 12, L'n');
  const std::wstring name = L"runonce-" + instance + L".ini";
  const DWORD endedProcess = EndedProcessId();
  ASSERT_NE(endedProcess, 0u);
  // A thread of this process that is still saving, as far as its file tells.
  UniqueHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  DWORD savingThread = 0;
  UniqueHandle saving(CreateThread(
      nullptr, 0, [](void* event) -> DWORD { return WaitForSingleObject(event, INFINITE); },
      release.get(), 0, &savingThread));
  ASSERT_TRUE(saving);
  const std::wstring killed = TemporaryFileName(name, {endedProcess, 7});
  const std::wstring running = TemporaryFileName(name, {GetCurrentProcessId(), savingThread});
  Prepare(killed, "[PDF Printer]\r\n  a=");
  Prepare(running, "[PDF Printer]\r\n");

  Call(L"SetPrinterInstance", {instance});
  Call(L"SetValue", {std::wstring(L"a"), std::wstring(L"1")});
  Call(L"WriteSettings", {true});
  EXPECT_EQ(Bytes(name), "[PDF Printer]\r\n  a=1\r\n");
  // Beyond MAX_PATH the file is loaded and removed as it was written.
  ASSERT_GT(PathOf(name).size(), static_cast<std::size_t>(MAX_PATH));
  Call(L"Init");
  Call(L"SetPrinterInstance", {instance});
  Call(L"LoadSettings", {true});
  EXPECT_EQ(Call(L"GetValue", {std::wstring(L"a")}), L"1");
  Call(L"RemoveSettings", {true});
  EXPECT_FALSE(PathExists(PathOf(name)));
  EXPECT_FALSE(PathExists(PathOf(killed)));
  EXPECT_TRUE(PathExists(PathOf(running)));
  SetEvent(release.get());
  WaitForSingleObject(saving.get(), INFINITE);
  DeleteFileW(PathOf(running).c_str());
}

}  // namespace
