#include "job_window.h"

#include <exception>
#include <utility>

#include "folder_picker.h"
#include "job_failure.h"
#include "job_window_ids.h"
#include "on_demand_ui.h"
#include "system_message.h"
#include "window_calls.h"

namespace {

// Each field of the job window and its control.
constexpr struct {
  FieldId field;
  int control;
} kControls[] = {
    {FieldId::kFileName, IDC_FILE_NAME},
    {FieldId::kFolder, IDC_FOLDER},
    {FieldId::kFormat, IDC_FORMAT},
    {FieldId::kTitle, IDC_TITLE},
    {FieldId::kAuthor, IDC_AUTHOR},
    {FieldId::kSubject, IDC_SUBJECT},
    {FieldId::kKeywords, IDC_KEYWORDS},
    {FieldId::kExisting, IDC_EXISTING},
    {FieldId::kUserPassword, IDC_USER_PASSWORD},
    {FieldId::kOwnerPassword, IDC_OWNER_PASSWORD},
    {FieldId::kAllowPrinting, IDC_ALLOW_PRINTING},
    {FieldId::kAllowCopying, IDC_ALLOW_COPYING},
    {FieldId::kAllowChanges, IDC_ALLOW_CHANGES},
    {FieldId::kOpenAfter, IDC_OPEN_AFTER},
    {FieldId::kKeepForPrinter, IDC_KEEP_FOR_PRINTER},
};

// One showing of the window: moves values between its controls and the form layer.
class JobWindow {
 public:
  JobWindow(const WindowCalls& calls, const SettingValues& settings, const JobFacts& facts,
            FormValues form)
      : calls_(calls), settings_(settings), facts_(facts), form_(std::move(form)) {}

  void Open(HWND window) {
    window_ = window;
    for (const auto& [field, id] : kControls) Show(FieldOf(field), Control(id));
    // A user who printed from another program is about to be asked something.
    if (!calls_.setForegroundWindow(window)) {
      FLASHWINFO flash{sizeof flash, window, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
      calls_.flashWindowEx(&flash);
    }
  }

  void Save() {
    for (const auto& [field, id] : kControls) Read(FieldOf(field), Control(id));
    try {
      JobOptions options = ReadFormOptions(form_, settings_, facts_, FormPurpose::kJob);
      choice_ = JobWindowChoice{std::move(options), form_, form_[FieldId::kKeepForPrinter].checked,
                                form_[FieldId::kFolder].text};
      calls_.endDialog(window_, IDOK);
    } catch (const FormFailure& failure) {
      ShowRefusal(failure);
    }
  }

  void Browse() {
    const HWND folder = Control(IDC_FOLDER);
    if (const std::optional<std::wstring> picked = PickFolder(window_, Text(folder)))
      calls_.setWindowText(folder, picked->c_str());
  }

  std::optional<JobWindowChoice>& Choice() { return choice_; }

 private:
  HWND Control(int id) const { return calls_.getDlgItem(window_, id); }

  std::wstring Text(HWND control) const {
    std::wstring text(calls_.getWindowTextLength(control) + 1, L'\0');
    text.resize(calls_.getWindowText(control, text.data(), static_cast<int>(text.size())));
    return text;
  }

  LRESULT Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return calls_.sendMessage(control, message, wParam, lParam);
  }

  // The field's label goes to the static before it (a check box is its own label).
  void Show(const FormField& field, HWND control) {
    const std::wstring label(field.label);
    const FieldValue& value = form_[field.id];
    if (field.kind == FieldKind::kCheck) {
      calls_.setWindowText(control, label.c_str());
      Send(control, BM_SETCHECK, value.checked ? BST_CHECKED : BST_UNCHECKED);
      return;
    }
    calls_.setWindowText(calls_.getWindow(control, GW_HWNDPREV), label.c_str());
    if (field.kind != FieldKind::kChoice) {
      calls_.setWindowText(control, value.text.c_str());
      return;
    }
    for (const FieldChoice& choice : ChoicesOf(field.id)) {
      const std::wstring text(choice.text);
      Send(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    Send(control, CB_SETCURSEL, static_cast<WPARAM>(value.choice));
  }

  void Read(const FormField& field, HWND control) {
    FieldValue& value = form_[field.id];
    switch (field.kind) {
      case FieldKind::kCheck:
        value.checked = Send(control, BM_GETCHECK) == BST_CHECKED;
        break;
      case FieldKind::kChoice:
        value.choice = static_cast<int>(Send(control, CB_GETCURSEL));
        break;
      default:
        value.text = Text(control);
    }
  }

  // The reason beside the refused field, which gets the focus.
  void ShowRefusal(const FormFailure& failure) {
    HWND field = nullptr;
    for (const auto& [id, control] : kControls) {
      if (id == failure.field) field = Control(control);
    }
    const HWND refusal = Control(IDC_REFUSAL);
    RECT fieldRect{};
    RECT refusalRect{};
    calls_.getWindowRect(field, &fieldRect);
    calls_.getWindowRect(refusal, &refusalRect);
    calls_.mapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&fieldRect), 2);
    calls_.mapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&refusalRect), 2);
    calls_.setWindowPos(refusal, nullptr, refusalRect.left, fieldRect.top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    calls_.setWindowText(refusal, failure.text.c_str());
    calls_.showWindow(refusal, SW_SHOWNA);
    Send(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
  }

  const WindowCalls& calls_;
  const SettingValues& settings_;
  const JobFacts& facts_;
  FormValues form_;
  HWND window_ = nullptr;
  std::optional<JobWindowChoice> choice_;
};

// The window of this thread (one at a time), and what escaped its procedure.
thread_local JobWindow* openWindow = nullptr;
thread_local std::exception_ptr escaped;

INT_PTR CALLBACK JobWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept {
  try {
    if (message == WM_INITDIALOG) {
      openWindow = reinterpret_cast<JobWindow*>(lParam);
      openWindow->Open(window);
      return TRUE;
    }
    if (message != WM_COMMAND || !openWindow) return FALSE;
    switch (LOWORD(wParam)) {
      case IDOK:
        openWindow->Save();
        return TRUE;
      case IDCANCEL:  // Esc, the close box and Cancel
        LoadWindowCalls()->endDialog(window, IDCANCEL);
        return TRUE;
      case IDC_BROWSE:
        openWindow->Browse();
        return TRUE;
    }
  } catch (...) {
    escaped = std::current_exception();
    LoadWindowCalls()->endDialog(window, IDABORT);
  }
  return FALSE;
}

}  // namespace

std::optional<JobWindowChoice> AskInJobWindow(const SettingValues& settings, const JobFacts& facts,
                                              const std::wstring& folder) {
  const WindowCalls* calls = LoadWindowCalls();
  if (!calls) throw JobFailure{L"The job window cannot be shown: " + SystemMessage(GetLastError())};
  FormValues form = FormFromSettings(settings, facts.names, FormPurpose::kJob);
  if (form[FieldId::kFolder].text.empty()) form[FieldId::kFolder].text = folder;
  ShellApartment apartment;  // for the folder picker
  JobWindow window(*calls, settings, facts, std::move(form));
  const INT_PTR result =
      calls->dialogBoxParam(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_JOB_WINDOW), nullptr,
                            JobWindowProcedure, reinterpret_cast<LPARAM>(&window));
  openWindow = nullptr;
  if (escaped) std::rethrow_exception(std::exchange(escaped, nullptr));
  if (result == -1)
    throw JobFailure{L"The job window cannot be shown: " + SystemMessage(GetLastError())};
  return std::move(window.Choice());
}
