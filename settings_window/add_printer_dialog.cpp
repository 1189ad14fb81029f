#include "add_printer_dialog.h"

#include <cwctype>

#include "settings_window_ids.h"
#include "window_text.h"

namespace {

std::wstring Trimmed(std::wstring text) {
  while (!text.empty() && std::iswspace(text.back())) text.pop_back();
  std::size_t start = 0;
  while (start < text.size() && std::iswspace(text[start])) ++start;
  return text.substr(start);
}

INT_PTR CALLBACK AskProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      SendDlgItemMessageW(window, IDC_NEW_PRINTER, EM_LIMITTEXT, 220, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        *reinterpret_cast<std::wstring*>(GetWindowLongPtrW(window, DWLP_USER)) =
            WindowText(GetDlgItem(window, IDC_NEW_PRINTER));
        EndDialog(window, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

std::optional<std::wstring> AskNewPrinterName(HWND owner) {
  std::wstring name;
  const INT_PTR answer =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ADD_PRINTER), owner,
                      AskProcedure, reinterpret_cast<LPARAM>(&name));
  name = Trimmed(std::move(name));
  if (answer != IDOK || name.empty()) return std::nullopt;
  return name;
}
