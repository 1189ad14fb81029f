// settings.exe: the settings window of each printer on the product's port.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "product_names.h"
#include "settings_dialog.h"

const wchar_t* DefaultErrorSource() noexcept { return L"settings"; }

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The shell's folder picker and the elevated start need an apartment.
  const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const INT_PTR result = RunSettingsDialog(instance);
  if (result == -1) {
    MessageBoxW(nullptr, L"The settings window cannot be shown.", product_names::kProductTitle,
                MB_ICONERROR);
  }
  if (SUCCEEDED(apartment)) CoUninitialize();
  return result == IDOK ? 0 : 1;
}
