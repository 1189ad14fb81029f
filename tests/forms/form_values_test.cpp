// The form layer of the job window and the settings window: fields to job
// settings and back, checked by the job settings' rules.
#include "form_values.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <set>

namespace {

const TemplateValues kNames = {L"Q3 report", L"Laser", L"anna", L"2026-12-07", L"134501", L"7"};

std::wstring Unchanged(const std::wstring& text) { return text; }

// A job form as the window would show it for `settings`, in the folder C:\out.
FormValues JobForm(const SettingValues& settings = {}) {
  FormValues form = FormFromSettings(settings, kNames, FormPurpose::kJob);
  form[FieldId::kFolder].text = L"C:\\out";
  return form;
}

int ChoiceIndex(FieldId id, std::wstring_view word) {
  const auto choices = ChoicesOf(id);
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].word == word) return static_cast<int>(i);
  }
  ADD_FAILURE() << "no choice for the word";
  return 0;
}

TEST(FormFields, EachWindowHasOneAccessKeyPerLabelAndNoKeyTwice) {
  for (const unsigned window : {unsigned{kJobWindow}, unsigned{kSettingsWindow}}) {
    std::set<wchar_t> keys;
    for (const FormField& field : FormFields()) {
      if (!(field.windows & window)) continue;
      const auto amp = field.label.find(L'&');
      ASSERT_NE(amp, std::wstring_view::npos);
      ASSERT_LT(amp + 1, field.label.size());
      EXPECT_EQ(field.label.find(L'&', amp + 1), std::wstring_view::npos);
      EXPECT_TRUE(keys.insert(static_cast<wchar_t>(std::towlower(field.label[amp + 1]))).second)
          << "key of the field " << static_cast<int>(field.id) << " taken";
    }
  }
}

TEST(FormValues, SettingsSurviveTheTripThroughTheJobForm) {
  const SettingValues cases[] = {
      {{L"format", L"pdfa"}, {L"existing", L"append"}, {L"subject", L"s"}, {L"openafter", L"yes"}},
      {{L"format", L"png"}, {L"existing", L"number"}, {L"resolution", L"300"}},
      {{L"format", L"pdf"}, {L"permissions", L"print,modify"}, {L"keywords", L"k1 k2"}},
      {{L"format", L"tiff"}, {L"existing", L"overwrite"}, {L"stamp", L"C:\\s.pdf"}},
      {{L"userpassword", L"u"}, {L"ownerpassword", L"o"}, {L"permissions", L"none"}},
  };
  for (const SettingValues& settings : cases) {
    SettingValues back = SettingsFromForm(JobForm(settings), settings, FormPurpose::kJob);
    for (const auto& [name, value] : settings) EXPECT_EQ(back[name], value) << name;
  }
}

TEST(FormValues, PermissionBoxesGiveTheirWords) {
  const struct {
    bool print, copy, changes;
    const wchar_t* word;
  } cases[] = {
      {true, true, true, L"all"},
      {false, false, false, L"none"},
      {true, false, false, L"print"},
      {false, true, true, L"copy,modify,annotate,fillforms,assemble"},
  };
  for (const auto& c : cases) {
    // From a base that allows what the boxes do not, so that the boxes decide.
    const SettingValues base = {{L"permissions", c.print ? L"copy" : L"print"}};
    FormValues form = JobForm(base);
    form[FieldId::kAllowPrinting].checked = c.print;
    form[FieldId::kAllowCopying].checked = c.copy;
    form[FieldId::kAllowChanges].checked = c.changes;
    EXPECT_EQ(SettingsFromForm(form, base, FormPurpose::kJob)[L"permissions"], c.word);
    const FormValues shown = JobForm({{L"permissions", c.word}});
    EXPECT_EQ(shown.at(FieldId::kAllowPrinting).checked, c.print) << c.word;
    EXPECT_EQ(shown.at(FieldId::kAllowCopying).checked, c.copy) << c.word;
    EXPECT_EQ(shown.at(FieldId::kAllowChanges).checked, c.changes) << c.word;
  }
}

TEST(FormValues, TheJobGoesToTheFolderUnderTheTypedName) {
  const struct {
    const wchar_t *name, *format, *output;
  } cases[] = {
      {L"report", L"pdf", L"C:\\out\\report.pdf"},
      {L"report.PDF", L"pdfa", L"C:\\out\\report.pdf"},
      {L"photo.jpeg", L"jpeg", L"C:\\out\\photo.jpg"},
      {L"report.pdf", L"png", L"C:\\out\\report.pdf.png"},
      {L"v1.2", L"pdf", L"C:\\out\\v1.2.pdf"},
  };
  for (const auto& c : cases) {
    FormValues form = JobForm();
    form[FieldId::kFileName].text = c.name;
    form[FieldId::kFormat].choice = ChoiceIndex(FieldId::kFormat, c.format);
    EXPECT_EQ(ReadFormOptions(form, {}, {kNames, Unchanged}, FormPurpose::kJob).output, c.output);
  }
}

TEST(FormValues, ARefusedValueIsToldBesideItsField) {
  using Change = void (*)(FormValues&);
  const struct {
    SettingValues base;
    Change change;
    const wchar_t* format;
    FieldId refused;
    std::wstring reason;  // part of the text shown
  } cases[] = {
      {{},
       [](FormValues& f) { f[FieldId::kUserPassword].text = L"s3cret"; },
       L"pdfa",
       FieldId::kUserPassword,
       L"PDF/A forbids encryption"},
      {{},
       [](FormValues& f) { f[FieldId::kOwnerPassword].text = L"s3cret"; },
       L"png",
       FieldId::kOwnerPassword,
       L"PDF formats only"},
      {{},
       [](FormValues& f) { f[FieldId::kFolder].text = L"out"; },
       L"pdf",
       FieldId::kFolder,
       L"full local or network path"},
      {{},
       [](FormValues& f) { f[FieldId::kFolder].text = L""; },
       L"pdf",
       FieldId::kFolder,
       L"folder"},
      {{},
       [](FormValues& f) { f[FieldId::kFileName].text = L"a|b"; },
       L"pdf",
       FieldId::kFileName,
       L"valid file name"},
      {{},
       [](FormValues& f) { f[FieldId::kFileName].text = L""; },
       L"pdf",
       FieldId::kFileName,
       L"file name"},
      // A permission taken away is a setting of the PDF formats.
      {{},
       [](FormValues& f) { f[FieldId::kAllowCopying].checked = false; },
       L"png",
       FieldId::kAllowPrinting,
       L"PDF formats only"},
      // A setting the window does not show fails beside the format that made it fail.
      {{{L"background", L"C:\\l.pdf"}},
       [](FormValues&) {},
       L"tiff",
       FieldId::kFormat,
       L"\"background\""},
      {{{L"existing", L"append"}}, [](FormValues&) {}, L"jpeg", FieldId::kExisting, L"append only"},
  };
  for (const auto& c : cases) {
    FormValues form = JobForm(c.base);
    c.change(form);
    form[FieldId::kFormat].choice = ChoiceIndex(FieldId::kFormat, c.format);
    try {
      ReadFormOptions(form, c.base, {kNames, Unchanged}, FormPurpose::kJob);
      ADD_FAILURE() << "accepted the case of " << c.reason;
    } catch (const FormFailure& failure) {
      EXPECT_EQ(failure.field, c.refused) << c.reason;
      EXPECT_NE(failure.text.find(c.reason), std::wstring::npos) << c.reason;
      EXPECT_EQ(failure.text.find(L"s3cret"), std::wstring::npos);
    }
  }
}

TEST(FormValues, EveryJobKeepsNoPasswordNorWhatBelongsToOneDocument) {
  const SettingValues base = {{L"resolution", L"300"}, {L"permissions", L"print"}};
  FormValues form = JobForm(base);
  form[FieldId::kUserPassword].text = L"u";
  form[FieldId::kOwnerPassword].text = L"o";
  form[FieldId::kSubject].text = L"minutes";
  form[FieldId::kFormat].choice = ChoiceIndex(FieldId::kFormat, L"pdfa");
  const SettingValues kept = SettingsForEveryJob(form, base);
  for (const wchar_t* name : {L"userpassword", L"ownerpassword", L"filename", L"title",
                              L"outputfolder", L"resolution", L"output"})
    EXPECT_EQ(kept.count(name), 0u) << name;
  EXPECT_EQ(kept.at(L"format"), L"pdfa");
  EXPECT_EQ(kept.at(L"subject"), L"minutes");
  EXPECT_EQ(kept.at(L"permissions"), L"print");
  EXPECT_EQ(kept.at(L"author"), L"anna");
}

TEST(FormValues, ThePrinterSettingsFormKeepsTemplatesAndTheAutomaticFolder) {
  const SettingValues stored = {{L"outputfolder", L"%USERPROFILE%\\pdf"},
                                {L"filename", L"<date> <title>"},
                                {L"notify", L"no"},
                                {L"attach", L"C:\\a.xml"}};
  FormValues form = FormFromSettings(stored, kNames, FormPurpose::kPrinterSettings);
  EXPECT_TRUE(form.at(FieldId::kSaveAutomatically).checked);
  EXPECT_FALSE(form.at(FieldId::kNotify).checked);
  EXPECT_EQ(form.at(FieldId::kTitle).text, L"");
  SettingValues same = SettingsFromForm(form, stored, FormPurpose::kPrinterSettings);
  for (const auto& [name, value] : stored) EXPECT_EQ(same[name], value) << name;
  form[FieldId::kSaveAutomatically].checked = false;
  const SettingValues saved = SettingsFromForm(form, stored, FormPurpose::kPrinterSettings);
  EXPECT_EQ(saved.at(L"outputfolder"), L"");
  EXPECT_EQ(saved.at(L"filename"), L"<date> <title>");
  EXPECT_TRUE(
      FormFromSettings({}, kNames, FormPurpose::kPrinterSettings).at(FieldId::kNotify).checked);
}

}  // namespace
