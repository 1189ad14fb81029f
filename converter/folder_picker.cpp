#include "folder_picker.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "com_ptr.h"
#include "system_library.h"

std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& start) {
  const auto create = SystemExport<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
  const auto freeMemory = SystemExport<decltype(&CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
  const auto itemOfPath = SystemExport<decltype(&SHCreateItemFromParsingName)>(
      L"shell32.dll", "SHCreateItemFromParsingName");
  if (!create || !freeMemory || !itemOfPath) return std::nullopt;
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(create(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                    dialog.put_void())))
    return std::nullopt;
  FILEOPENDIALOGOPTIONS options = 0;
  dialog->GetOptions(&options);
  dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  ComPtr<IShellItem> startItem;
  if (!start.empty() &&
      SUCCEEDED(itemOfPath(start.c_str(), nullptr, IID_IShellItem, startItem.put_void())))
    dialog->SetFolder(startItem.get());
  ComPtr<IShellItem> picked;
  if (FAILED(dialog->Show(owner)) || FAILED(dialog->GetResult(picked.put()))) return std::nullopt;
  PWSTR path = nullptr;
  if (FAILED(picked->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return std::nullopt;
  std::wstring folder(path);
  freeMemory(path);
  return folder;
}
