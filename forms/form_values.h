// The values of a window's fields (form_fields.h) turned into job settings and
// back, and checked with the job settings' own rules (job_options.h), so that
// a window never holds a rule of its own about a setting. Pure code, no
// platform header.
#pragma once

#include <map>
#include <string>

#include "form_fields.h"
#include "job_options.h"

// A field's value as its control holds it.
struct FieldValue {
  std::wstring text;     // text and password fields
  int choice = 0;        // choice fields: the index of the item in ChoicesOf
  bool checked = false;  // check boxes
};
using FormValues = std::map<FieldId, FieldValue>;

// What a window edits.
enum class FormPurpose {
  // One job (the job window): the file name is the name itself, the title and
  // the author show their defaults, the folder is needed.
  kJob,
  // A printer's regular settings (the settings window): values as stored, the
  // file name is the template, an empty title or author means its default.
  kPrinterSettings,
};

// The window of a purpose (FormWindows).
unsigned WindowOf(FormPurpose purpose);

// The values the window's fields start from. For a job the folder is left
// empty unless a setting names it: the caller knows where the user saved last.
FormValues FormFromSettings(const SettingValues& settings, const TemplateValues& names,
                            FormPurpose purpose);

// `base` with the settings of the window's fields as the form has them (an
// empty value: unset). The settings no field of the window shows stay as
// they are, and so does "permissions" while its boxes say what it said.
SettingValues SettingsFromForm(const FormValues& form, const SettingValues& base,
                               FormPurpose purpose);

// A value the job settings' rules refuse, with the field to show it beside.
struct FormFailure {
  FieldId field;
  std::wstring text;
};

// The job options of SettingsFromForm, read by ReadJobOptions. Raises
// FormFailure with the settings' message, beside the field of the refused
// setting (one the window does not show fails beside the format, the only
// field that can have made it fail there).
JobOptions ReadFormOptions(const FormValues& form, const SettingValues& base, const JobFacts& facts,
                           FormPurpose purpose);

// The settings that the job window keeps as the printer's regular settings
// for every job: those of its fields as SettingsFromForm gives them, but never
// the passwords, nor what belongs to one document (its file name and title)
// or would make later jobs skip the window (the folder: the converter
// remembers the last one by itself). Settings of no field are left out.
SettingValues SettingsForEveryJob(const FormValues& form, const SettingValues& base);
