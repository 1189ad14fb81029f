#include "settings_dialog.h"

#include <algorithm>
#include <iterator>
#include <new>

#include <objbase.h>

#include "add_printer_dialog.h"
#include "automation_error.h"
#include "environment_text.h"
#include "file_name_preview.h"
#include "file_pickers.h"
#include "folder_picker.h"
#include "form_values.h"
#include "job_names.h"
#include "listed_printers.h"
#include "printer_admin.h"
#include "product_names.h"
#include "regular_settings.h"
#include "setting_changes.h"
#include "setting_rules.h"
#include "settings_window_ids.h"
#include "system_message.h"
#include "window_text.h"

namespace {

constexpr FormPurpose kPurpose = FormPurpose::kPrinterSettings;

// Each field of the window: its label (none for a check box, which names
// itself) and its input.
struct FieldControls {
  FieldId field;
  int label;
  int input;
};
constexpr FieldControls kFieldControls[] = {
    {FieldId::kSaveAutomatically, 0, IDC_SAVE_AUTOMATICALLY},
    {FieldId::kFolder, IDC_FOLDER_LABEL, IDC_FOLDER},
    {FieldId::kFileName, IDC_FILE_NAME_LABEL, IDC_FILE_NAME},
    {FieldId::kFormat, IDC_FORMAT_LABEL, IDC_FORMAT},
    {FieldId::kTitle, IDC_TITLE_LABEL, IDC_TITLE},
    {FieldId::kAuthor, IDC_AUTHOR_LABEL, IDC_AUTHOR},
    {FieldId::kSubject, IDC_SUBJECT_LABEL, IDC_SUBJECT},
    {FieldId::kKeywords, IDC_KEYWORDS_LABEL, IDC_KEYWORDS},
    {FieldId::kExisting, IDC_EXISTING_LABEL, IDC_EXISTING},
    {FieldId::kLetterhead, IDC_LETTERHEAD_LABEL, IDC_LETTERHEAD},
    {FieldId::kStamp, IDC_STAMP_LABEL, IDC_STAMP},
    {FieldId::kNotify, 0, IDC_NOTIFY},
    {FieldId::kOpenAfter, 0, IDC_OPEN_AFTER},
};

int InputOf(FieldId field) {
  const auto found = std::find_if(std::begin(kFieldControls), std::end(kFieldControls),
                                  [field](const FieldControls& c) { return c.field == field; });
  return found == std::end(kFieldControls) ? IDC_FORMAT : found->input;
}

// The settings a printer's form is made from: those a job reads and those the
// window's fields edit.
std::vector<std::wstring> SettingNamesRead() {
  std::vector<std::wstring> names = JobSettingNames();
  for (const FormField& field : FormFields()) {
    if (!(field.windows & kSettingsWindow) || field.setting.empty()) continue;
    if (std::find(names.begin(), names.end(), field.setting) == names.end())
      names.emplace_back(field.setting);
  }
  return names;
}

std::wstring NewSessionId() {
  GUID guid{};
  wchar_t text[40] = L"";
  if (FAILED(CoCreateGuid(&guid)) || !StringFromGUID2(guid, text, 40)) return L"";
  return std::wstring(text).substr(1, 36);  // without the braces, as a job's session id
}

std::wstring ExpandedReferences(const std::wstring& text) {
  return ExpandEnvironmentReferences(text).value_or(text);
}

// The window's state and its handlers: it only moves values between the
// controls and the form layer (forms/form_values.h) and the store.
class SettingsDialog {
 public:
  explicit SettingsDialog(HWND window) : window_(window) {}

  void Start() {
    SetLabels();
    FillChoices();
    if (!UserIsAdministrator()) {
      ShowWindow(Item(IDC_ADD_PRINTER), SW_HIDE);
      ShowWindow(Item(IDC_REMOVE_PRINTER), SW_HIDE);
    }
    FillPrinters(L"");
  }

  void Command(int id, int code) {
    switch (id) {
      case IDC_PRINTER:
        if (code == CBN_SELCHANGE) ShowPrinter();
        break;
      case IDC_FILE_NAME:
        if (code == EN_CHANGE) UpdatePreview();
        break;
      case IDC_FORMAT:
        if (code == CBN_SELCHANGE) UpdatePreview();
        break;
      case IDC_SAVE_AUTOMATICALLY:
        if (code == BN_CLICKED) EnableFolder();
        break;
      case IDC_BROWSE_FOLDER:
        Browse(IDC_FOLDER, PickFolder);
        break;
      case IDC_BROWSE_LETTERHEAD:
        Browse(IDC_LETTERHEAD, PickPdfFile);
        break;
      case IDC_BROWSE_STAMP:
        Browse(IDC_STAMP, PickPdfFile);
        break;
      case IDC_SAVE:
        if (Save()) EndDialog(window_, IDOK);
        break;
      case IDCANCEL:
        EndDialog(window_, IDCANCEL);
        break;
      case IDC_RESET:
        Reset();
        break;
      case IDC_ADD_PRINTER:
        AddPrinter();
        break;
      case IDC_REMOVE_PRINTER:
        RemovePrinter();
        break;
    }
  }

  // The refused value's text stands out.
  bool ColorsRefusal(HWND control, HDC dc) const {
    if (control != Item(IDC_REFUSAL)) return false;
    SetTextColor(dc, RGB(0xB0, 0x00, 0x20));
    SetBkMode(dc, TRANSPARENT);
    return true;
  }

 private:
  HWND Item(int id) const { return GetDlgItem(window_, id); }

  void SetLabels() {
    for (const FieldControls& controls : kFieldControls) {
      const std::wstring label(FieldOf(controls.field).label);
      SetDlgItemTextW(window_, controls.label ? controls.label : controls.input, label.c_str());
    }
  }

  void FillChoices() {
    for (const FieldControls& controls : kFieldControls) {
      for (const FieldChoice& choice : ChoicesOf(controls.field)) {
        const std::wstring text(choice.text);
        SendDlgItemMessageW(window_, controls.input, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text.c_str()));
      }
    }
  }

  // The printers again, with `select` chosen (the first when it is not listed).
  void FillPrinters(const std::wstring& select) {
    choices_ = PrinterChoices(ListedPrinters(), product_names::kPortName);
    const HWND list = Item(IDC_PRINTER);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    int selected = 0;
    for (std::size_t i = 0; i < choices_.size(); ++i) {
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choices_[i].label.c_str()));
      if (!choices_[i].instance.empty() && choices_[i].instance == select)
        selected = static_cast<int>(i);
    }
    SendMessageW(list, CB_SETCURSEL, selected, 0);
    ShowPrinter();
  }

  const PrinterChoice& Chosen() const {
    const LRESULT index = SendDlgItemMessageW(window_, IDC_PRINTER, CB_GETCURSEL, 0, 0);
    return choices_[index >= 0 && static_cast<std::size_t>(index) < choices_.size()
                        ? static_cast<std::size_t>(index)
                        : choices_.size() - 1];
  }

  // The printer whose jobs the preview names: the default instance serves
  // every other printer, the product's own among them.
  std::wstring PreviewPrinter() const {
    return Chosen().instance.empty() ? product_names::kPrinterName : Chosen().instance;
  }

  TemplateValues PreviewNames() const {
    return JobNamesNow(kPreviewDocument, PreviewPrinter(), previewSession_);
  }

  // The chosen printer's regular settings into the fields.
  void ShowPrinter() {
    ClearRefusal();
    loaded_.clear();
    try {
      loaded_ = LoadRegularSettings(Chosen().instance, SettingNamesRead());
    } catch (const AutomationError& error) {
      Tell(error.Description(), MB_ICONERROR);
    }
    shown_ = FormFromSettings(loaded_, PreviewNames(), kPurpose);
    WriteControls(shown_);
    EnableWindow(Item(IDC_REMOVE_PRINTER), !Chosen().instance.empty());
  }

  void WriteControls(const FormValues& form) {
    for (const FieldControls& controls : kFieldControls) {
      const auto value = form.find(controls.field);
      if (value == form.end()) continue;
      switch (FieldOf(controls.field).kind) {
        case FieldKind::kText:
        case FieldKind::kPassword:
          SetDlgItemTextW(window_, controls.input, value->second.text.c_str());
          break;
        case FieldKind::kChoice:
          SendDlgItemMessageW(window_, controls.input, CB_SETCURSEL, value->second.choice, 0);
          break;
        case FieldKind::kCheck:
          CheckDlgButton(window_, controls.input,
                         value->second.checked ? BST_CHECKED : BST_UNCHECKED);
          break;
      }
    }
    EnableFolder();
    UpdatePreview();
  }

  FormValues ReadControls() const {
    FormValues form;
    for (const FieldControls& controls : kFieldControls) {
      FieldValue& value = form[controls.field];
      switch (FieldOf(controls.field).kind) {
        case FieldKind::kText:
        case FieldKind::kPassword:
          value.text = WindowText(Item(controls.input));
          break;
        case FieldKind::kChoice:
          value.choice = std::max<int>(0, static_cast<int>(SendDlgItemMessageW(
                                              window_, controls.input, CB_GETCURSEL, 0, 0)));
          break;
        case FieldKind::kCheck:
          value.checked = IsDlgButtonChecked(window_, controls.input) == BST_CHECKED;
          break;
      }
    }
    return form;
  }

  void EnableFolder() {
    const bool automatic = IsDlgButtonChecked(window_, IDC_SAVE_AUTOMATICALLY) == BST_CHECKED;
    EnableWindow(Item(IDC_FOLDER), automatic);
    EnableWindow(Item(IDC_BROWSE_FOLDER), automatic);
  }

  void UpdatePreview() {
    const SettingValues settings = SettingsFromForm(ReadControls(), loaded_, kPurpose);
    const auto value = [&settings](const wchar_t* name) {
      const auto found = settings.find(name);
      return found == settings.end() ? std::wstring() : found->second;
    };
    const std::wstring preview =
        PreviewFileName(value(L"filename"), value(L"format"), PreviewNames());
    SetDlgItemTextW(window_, IDC_PREVIEW, preview.c_str());
  }

  template <typename Picker>
  void Browse(int edit, Picker pick) {
    if (const auto chosen = pick(window_, WindowText(Item(edit))))
      SetDlgItemTextW(window_, edit, chosen->c_str());
  }

  // A refused value: its text beside its field, and the field focused.
  void ShowRefusal(FieldId field, const std::wstring& text) {
    const HWND input = Item(InputOf(field));
    const HWND refusal = Item(IDC_REFUSAL);
    RECT at{}, own{};
    GetWindowRect(input, &at);
    GetWindowRect(refusal, &own);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&at), 2);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&own), 2);
    SetWindowPos(refusal, nullptr, own.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetWindowTextW(refusal, text.c_str());
    SetFocus(input);
  }

  void ClearRefusal() { SetDlgItemTextW(window_, IDC_REFUSAL, L""); }

  // Writes what the user changed, once every value passed the job settings'
  // rules; false (nothing written) when one did not.
  bool Save() {
    ClearRefusal();
    const FormValues form = ReadControls();
    if (form.at(FieldId::kSaveAutomatically).checked && form.at(FieldId::kFolder).text.empty()) {
      ShowRefusal(FieldId::kFolder, L"A folder is needed to save automatically.");
      return false;
    }
    try {
      ReadFormOptions(form, loaded_, {PreviewNames(), ExpandedReferences}, kPurpose);
    } catch (const FormFailure& failure) {
      ShowRefusal(failure.field, failure.text);
      return false;
    }
    const SettingValues changes = SettingChanges(SettingsFromForm(shown_, loaded_, kPurpose),
                                                 SettingsFromForm(form, loaded_, kPurpose));
    for (const auto& [name, value] : changes) {
      if (IsStorableSetting(name, value)) continue;
      const FormField* field = FieldOfSetting(name, kSettingsWindow);
      ShowRefusal(field ? field->id : FieldId::kFormat,
                  L"A settings file cannot keep this value: it holds a line break.");
      return false;
    }
    if (changes.empty()) return true;
    try {
      WriteRegularSettings(Chosen().instance, changes);
    } catch (const AutomationError& error) {
      Tell(error.Description(), MB_ICONERROR);
      return false;
    }
    return true;
  }

  void Reset() {
    const std::wstring question =
        L"Remove the settings of \"" + Chosen().label + L"\"? " +
        (Chosen().instance.empty()
             ? std::wstring(L"Printers without settings of their own then use the defaults.")
             : L"Its jobs then use the settings of \"" + std::wstring(kAllOtherPrinters) + L"\".");
    if (Tell(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
    try {
      RemoveRegularSettings(Chosen().instance);
    } catch (const AutomationError& error) {
      Tell(error.Description(), MB_ICONERROR);
    }
    ShowPrinter();
  }

  void AddPrinter() {
    const std::optional<std::wstring> name = AskNewPrinterName(window_);
    if (!name) return;
    if (RunPrinterSetup(L"add-printer", *name, L"Adding the printer \"" + *name + L"\""))
      FillPrinters(*name);
  }

  void RemovePrinter() {
    const std::wstring name = Chosen().instance;
    if (name.empty()) return;
    const std::wstring question = L"Remove the printer \"" + name + L"\"?";
    if (Tell(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
    RunPrinterSetup(L"remove-printer", name, L"Removing the printer \"" + name + L"\"");
    FillPrinters(L"");
  }

  // Runs printer_setup.exe elevated; tells the user when it failed.
  bool RunPrinterSetup(const std::wstring& verb, const std::wstring& name,
                       const std::wstring& what) {
    DWORD startError = 0;
    const std::optional<DWORD> exitCode = RunPrinterSetupElevated(window_, verb, name, startError);
    if (!exitCode) {
      if (startError != ERROR_CANCELLED)
        Tell(what + L" could not start: " + SystemMessage(startError), MB_ICONERROR);
      return false;
    }
    if (*exitCode == 0) return true;
    Tell(what + L" failed (exit code " + std::to_wstring(*exitCode) + L"): " +
             SystemMessage(*exitCode),
         MB_ICONERROR);
    return false;
  }

  int Tell(const std::wstring& text, UINT type) const {
    return MessageBoxW(window_, text.c_str(), product_names::kProductTitle, type);
  }

  HWND window_;
  std::vector<PrinterChoice> choices_;
  SettingValues loaded_;  // the chosen printer's settings as the store gave them
  FormValues shown_;      // the fields as they were filled from them
  const std::wstring previewSession_ = NewSessionId();
};

INT_PTR CALLBACK SettingsProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  // The one boundary of the window's handlers: nothing is thrown through the system's call.
  try {
    switch (message) {
      case WM_INITDIALOG:
        dialog = new SettingsDialog(window);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
        dialog->Start();
        return TRUE;
      case WM_COMMAND:
        if (dialog) dialog->Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
      case WM_CTLCOLORSTATIC:
        if (dialog &&
            dialog->ColorsRefusal(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        return FALSE;
      case WM_NCDESTROY:
        delete dialog;
        SetWindowLongPtrW(window, DWLP_USER, 0);
        return FALSE;
    }
  } catch (const AutomationError& error) {
    MessageBoxW(window, error.Description().c_str(), product_names::kProductTitle, MB_ICONERROR);
  } catch (const std::exception&) {
    MessageBoxW(window, L"The settings window met an internal error.", product_names::kProductTitle,
                MB_ICONERROR);
  }
  return FALSE;
}

}  // namespace

INT_PTR RunSettingsDialog(HINSTANCE instance) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, SettingsProcedure, 0);
}
