// The fields of the windows that edit job settings (the job window and the
// settings window): one table that both walk. Each field has its label (with
// the "&" of its access key), its kind of control and the setting it edits.
// Pure code, no platform header.
#pragma once

#include <span>
#include <string_view>

enum class FieldId {
  kSaveAutomatically,  // settings window: "outputfolder" set or not
  kFolder,
  kFileName,
  kFormat,
  kTitle,
  kAuthor,
  kSubject,
  kKeywords,
  kExisting,
  kLetterhead,
  kStamp,
  kUserPassword,
  kOwnerPassword,
  kAllowPrinting,
  kAllowCopying,
  kAllowChanges,
  kNotify,
  kOpenAfter,
  kKeepForPrinter,  // job window: write the regular settings of the printer
};

enum class FieldKind { kText, kChoice, kCheck, kPassword };

// The windows a field appears in.
enum FormWindows : unsigned { kJobWindow = 1, kSettingsWindow = 2 };

struct FormField {
  FieldId id;
  std::wstring_view label;  // as shown, with "&" before the access key
  FieldKind kind;
  std::wstring_view setting;  // the setting it edits; empty for none
  unsigned windows;           // FormWindows
};

// An item of a drop-down list and the setting's word it stands for.
struct FieldChoice {
  std::wstring_view text;
  std::wstring_view word;
};

// Every field, in the order of the windows' tab order.
std::span<const FormField> FormFields();
const FormField& FieldOf(FieldId id);
// The field of `window` (FormWindows) that edits `setting`; null when none
// does. An edit comes before a check box of the same setting, and of the
// permission boxes, which all edit "permissions", the first is taken.
const FormField* FieldOfSetting(std::wstring_view setting, unsigned window);
// The items of a choice field in their order (empty for other fields).
std::span<const FieldChoice> ChoicesOf(FieldId id);
