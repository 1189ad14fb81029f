#include "form_fields.h"

#include <algorithm>

namespace {

constexpr unsigned kBoth = kJobWindow | kSettingsWindow;

// The access keys are unique within each window.
constexpr FormField kFields[] = {
    {FieldId::kSaveAutomatically, L"Save automat&ically", FieldKind::kCheck, L"outputfolder",
     kSettingsWindow},
    {FieldId::kFolder, L"F&older:", FieldKind::kText, L"outputfolder", kBoth},
    {FieldId::kFileName, L"&File name:", FieldKind::kText, L"filename", kBoth},
    {FieldId::kFormat, L"Fo&rmat:", FieldKind::kChoice, L"format", kBoth},
    {FieldId::kTitle, L"&Title:", FieldKind::kText, L"title", kBoth},
    {FieldId::kAuthor, L"&Author:", FieldKind::kText, L"author", kBoth},
    {FieldId::kSubject, L"S&ubject:", FieldKind::kText, L"subject", kBoth},
    {FieldId::kKeywords, L"&Keywords:", FieldKind::kText, L"keywords", kBoth},
    {FieldId::kExisting, L"If the file e&xists:", FieldKind::kChoice, L"existing", kBoth},
    {FieldId::kLetterhead, L"&Letterhead:", FieldKind::kText, L"background", kSettingsWindow},
    {FieldId::kStamp, L"Sta&mp:", FieldKind::kText, L"stamp", kSettingsWindow},
    {FieldId::kUserPassword, L"&Password to open:", FieldKind::kPassword, L"userpassword",
     kJobWindow},
    {FieldId::kOwnerPassword, L"O&wner password:", FieldKind::kPassword, L"ownerpassword",
     kJobWindow},
    {FieldId::kAllowPrinting, L"Allow pri&nting", FieldKind::kCheck, L"permissions", kJobWindow},
    {FieldId::kAllowCopying, L"Allow &copying", FieldKind::kCheck, L"permissions", kJobWindow},
    {FieldId::kAllowChanges, L"Allow c&hanges", FieldKind::kCheck, L"permissions", kJobWindow},
    {FieldId::kNotify, L"Show a &notice when a file is saved", FieldKind::kCheck, L"notify",
     kSettingsWindow},
    {FieldId::kOpenAfter, L"Op&en the file when done", FieldKind::kCheck, L"openafter", kBoth},
    {FieldId::kKeepForPrinter, L"U&se these settings for every job of this printer",
     FieldKind::kCheck, L"", kJobWindow},
};

// The format words in the order of the converter's table of formats.
constexpr FieldChoice kFormats[] = {{L"PDF", L"pdf"},
                                    {L"PDF/A (for archiving)", L"pdfa"},
                                    {L"PNG (an image per page)", L"png"},
                                    {L"JPEG (an image per page)", L"jpeg"},
                                    {L"TIFF (one image file)", L"tiff"}};

constexpr FieldChoice kExisting[] = {{L"Add a number to the new file's name", L"number"},
                                     {L"Replace it", L"overwrite"},
                                     {L"Add the pages at the end", L"append"}};

}  // namespace

std::span<const FormField> FormFields() { return kFields; }

const FormField& FieldOf(FieldId id) {
  return *std::find_if(std::begin(kFields), std::end(kFields),
                       [id](const FormField& field) { return field.id == id; });
}

const FormField* FieldOfSetting(std::wstring_view setting, unsigned window) {
  const FormField* found = nullptr;
  for (const FormField& field : kFields) {
    if (field.setting != setting || !(field.windows & window)) continue;
    if (!found || (found->kind == FieldKind::kCheck && field.kind != FieldKind::kCheck))
      found = &field;
  }
  return found;
}

std::span<const FieldChoice> ChoicesOf(FieldId id) {
  if (id == FieldId::kFormat) return kFormats;
  if (id == FieldId::kExisting) return kExisting;
  return {};
}
