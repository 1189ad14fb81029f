#include "file_pickers.h"

#include <shobjidl.h>

#include "com_ptr.h"
#include "file_system.h"
#include "output_name.h"

namespace {

struct CoTaskTextTraits {
  using Type = wchar_t*;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type text) noexcept { CoTaskMemFree(text); }
};
using UniqueCoTaskText = UniqueResource<CoTaskTextTraits>;

// Opens the picker in `folder` when it exists.
void StartIn(IFileOpenDialog& dialog, const std::wstring& folder) {
  if (folder.empty() || !IsFolder(folder)) return;
  ComPtr<IShellItem> item;
  if (SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(item.put()))))
    dialog.SetFolder(item.get());
}

// Shows the picker with `options` added; the path of the chosen item.
std::optional<std::wstring> Pick(HWND owner, FILEOPENDIALOGOPTIONS options,
                                 const std::wstring& startFolder, const COMDLG_FILTERSPEC* filter,
                                 UINT filterCount) {
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(dialog.put())))) {
    return std::nullopt;
  }
  FILEOPENDIALOGOPTIONS current = 0;
  dialog->GetOptions(&current);
  dialog->SetOptions(current | options | FOS_FORCEFILESYSTEM);
  if (filterCount) dialog->SetFileTypes(filterCount, filter);
  StartIn(*dialog.get(), startFolder);
  if (FAILED(dialog->Show(owner))) return std::nullopt;
  ComPtr<IShellItem> chosen;
  UniqueCoTaskText path;
  if (FAILED(dialog->GetResult(chosen.put())) ||
      FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, path.put()))) {
    return std::nullopt;
  }
  return std::wstring(path.get());
}

}  // namespace

std::optional<std::wstring> PickPdfFile(HWND owner, const std::wstring& start) {
  static const COMDLG_FILTERSPEC kPdf[] = {{L"PDF documents", L"*.pdf"}};
  return Pick(owner, FOS_FILEMUSTEXIST, IsFolder(start) ? start : FolderOf(start), kPdf, 1);
}
