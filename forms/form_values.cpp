#include "form_values.h"

#include <algorithm>
#include <cwctype>

#include "output_format.h"
#include "pdf_failure.h"
#include "pdf_permissions.h"

namespace {

constexpr wchar_t kYes[] = L"yes";
constexpr wchar_t kNo[] = L"no";
constexpr wchar_t kPermissions[] = L"permissions";

std::wstring Value(const SettingValues& settings, std::wstring_view name) {
  const auto found = settings.find(std::wstring(name));
  return found == settings.end() ? std::wstring() : found->second;
}

bool SameWord(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

// The item of a choice field whose word is `value`; the item of `fallback` when none is.
int ChoiceOf(FieldId id, const std::wstring& value, std::wstring_view fallback) {
  const auto choices = ChoicesOf(id);
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (SameWord(choices[i].word, value.empty() ? fallback : value)) return static_cast<int>(i);
  }
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].word == fallback) return static_cast<int>(i);
  }
  return 0;
}

// The three boxes: printing, copying, and changes (all four kinds of them).
struct PermissionBoxes {
  bool print;
  bool copy;
  bool changes;
  bool operator==(const PermissionBoxes&) const = default;
};

PermissionBoxes BoxesOf(const std::wstring& value) {
  PdfPermissions permissions;
  try {
    permissions = ParsePermissions(value);
  } catch (const PdfFailure&) {
    // Refused by the settings' rules when the job is read; the boxes show "all".
  }
  return {
      permissions.print, permissions.copy,
      permissions.modify && permissions.annotate && permissions.fillForms && permissions.assemble};
}

std::wstring PermissionsWord(const PermissionBoxes& boxes) {
  if (boxes.print && boxes.copy && boxes.changes) return L"all";
  if (!boxes.print && !boxes.copy && !boxes.changes) return L"none";
  std::wstring words;
  const auto add = [&words](const wchar_t* word) {
    if (!words.empty()) words += L',';
    words += word;
  };
  if (boxes.print) add(L"print");
  if (boxes.copy) add(L"copy");
  if (boxes.changes) add(L"modify,annotate,fillforms,assemble");
  return words;
}

const FieldValue& ValueOf(const FormValues& form, FieldId id) {
  static const FieldValue kEmpty;
  const auto found = form.find(id);
  return found == form.end() ? kEmpty : found->second;
}

// A typed name loses the extension of the chosen format ("report.pdf" is "report").
std::wstring WithoutFormatExtension(const std::wstring& name, const std::wstring& formatWord) {
  for (const OutputFormat& format : OutputFormats()) {
    if (!SameWord(format.word, formatWord) || !HasFormatExtension(name, format)) continue;
    return name.substr(0, name.rfind(L'.'));
  }
  return name;
}

}  // namespace

unsigned WindowOf(FormPurpose purpose) {
  return purpose == FormPurpose::kJob ? kJobWindow : kSettingsWindow;
}

FormValues FormFromSettings(const SettingValues& settings, const TemplateValues& names,
                            FormPurpose purpose) {
  const bool job = purpose == FormPurpose::kJob;
  FormValues form;
  for (const FormField& field : FormFields()) {
    if (!(field.windows & WindowOf(purpose))) continue;
    const std::wstring value = Value(settings, field.setting);
    FieldValue& shown = form[field.id];
    switch (field.kind) {
      case FieldKind::kText:
      case FieldKind::kPassword:
        shown.text = value;
        break;
      case FieldKind::kChoice:
        shown.choice = ChoiceOf(field.id, value,
                                field.id == FieldId::kFormat ? OutputFormats().front().word
                                                             : std::wstring_view(L"overwrite"));
        break;
      case FieldKind::kCheck:
        shown.checked =
            field.id == FieldId::kNotify ? !SameWord(value, kNo) : SameWord(value, kYes);
        break;
    }
  }
  const PermissionBoxes boxes = BoxesOf(Value(settings, kPermissions));
  if (job) {
    const std::wstring fileNameTemplate = Value(settings, L"filename");
    form[FieldId::kFileName].text =
        ExpandFileNameTemplate(fileNameTemplate.empty() ? L"<title>" : fileNameTemplate, names)
            .value_or(ExpandFileNameTemplate(L"<title>", names).value_or(L"document"));
    if (form[FieldId::kTitle].text.empty()) form[FieldId::kTitle].text = names.title;
    if (form[FieldId::kAuthor].text.empty()) form[FieldId::kAuthor].text = names.user;
    form[FieldId::kAllowPrinting].checked = boxes.print;
    form[FieldId::kAllowCopying].checked = boxes.copy;
    form[FieldId::kAllowChanges].checked = boxes.changes;
  } else {
    form[FieldId::kSaveAutomatically].checked = !Value(settings, L"outputfolder").empty();
  }
  return form;
}

SettingValues SettingsFromForm(const FormValues& form, const SettingValues& base,
                               FormPurpose purpose) {
  SettingValues settings = base;
  std::wstring formatWord;
  for (const FormField& field : FormFields()) {
    if (!(field.windows & WindowOf(purpose)) || field.setting.empty() ||
        field.setting == kPermissions || field.id == FieldId::kSaveAutomatically)
      continue;
    const FieldValue& value = ValueOf(form, field.id);
    std::wstring& setting = settings[std::wstring(field.setting)];
    switch (field.kind) {
      case FieldKind::kText:
      case FieldKind::kPassword:
        setting = value.text;
        break;
      case FieldKind::kChoice: {
        const auto choices = ChoicesOf(field.id);
        setting = choices[std::clamp<std::size_t>(value.choice, 0, choices.size() - 1)].word;
        break;
      }
      case FieldKind::kCheck:
        setting = value.checked ? kYes : kNo;
        break;
    }
    if (field.id == FieldId::kFormat) formatWord = setting;
  }
  if (purpose == FormPurpose::kJob) {
    std::wstring& fileName = settings[L"filename"];
    fileName = WithoutFormatExtension(fileName, formatWord);
    const PermissionBoxes boxes{ValueOf(form, FieldId::kAllowPrinting).checked,
                                ValueOf(form, FieldId::kAllowCopying).checked,
                                ValueOf(form, FieldId::kAllowChanges).checked};
    if (boxes != BoxesOf(Value(base, kPermissions)))
      settings[kPermissions] = PermissionsWord(boxes);
  } else if (!ValueOf(form, FieldId::kSaveAutomatically).checked) {
    settings[L"outputfolder"].clear();
  }
  return settings;
}

JobOptions ReadFormOptions(const FormValues& form, const SettingValues& base, const JobFacts& facts,
                           FormPurpose purpose) {
  const SettingValues settings = SettingsFromForm(form, base, purpose);
  if (purpose == FormPurpose::kJob) {
    // Without them the job would have no file: the window is where it is chosen.
    if (Value(settings, L"filename").empty())
      throw FormFailure{FieldId::kFileName, L"A file name is needed."};
    if (Value(settings, L"outputfolder").empty())
      throw FormFailure{FieldId::kFolder, L"A folder is needed."};
  }
  try {
    return ReadJobOptions(settings, facts);
  } catch (const SettingFailure& failure) {
    const FormField* field = FieldOfSetting(failure.name, WindowOf(purpose));
    throw FormFailure{field ? field->id : FieldId::kFormat, failure.Text()};
  }
}

SettingValues SettingsForEveryJob(const FormValues& form, const SettingValues& base) {
  const SettingValues settings = SettingsFromForm(form, base, FormPurpose::kJob);
  SettingValues kept;
  for (const FormField& field : FormFields()) {
    if (!(field.windows & kJobWindow) || field.setting.empty() ||
        field.kind == FieldKind::kPassword || field.id == FieldId::kFileName ||
        field.id == FieldId::kTitle || field.id == FieldId::kFolder)
      continue;
    kept[std::wstring(field.setting)] = Value(settings, field.setting);
  }
  return kept;
}
