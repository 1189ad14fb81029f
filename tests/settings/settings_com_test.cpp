// The registered class as a late-bound client sees it: the files written,
// member names in any case, error 1000 and its record. (The script clients
// cover the configuration tool's sequence, the omitted argument, instances,
// Init and RemoveSettings.)
#include <gtest/gtest.h>

#include "com_test_support.h"
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
  for (const char* content : {"[pdf printer]\r\n  a=1\r\n", "PDF Printer=x\r\n",
                              "\xEF\xBB\xBF[PDF Printer]\r\n  a=1\r\n"}) {
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
  Call(L"SetPrinterInstance", {std::wstring(L"bad<name>")});
  const std::wstring expectedStart =
      L"Error writing settings file '" + PathOf(L"settings-bad<name>.ini") + L"'. Error 123: ";

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

}  // namespace
