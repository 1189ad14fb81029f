// The test prefix's registration of a stand-in for the Windows Runtime class
// that reports Windows protected print mode (fake_protected_print_class.cpp).
#pragma once

#include <windows.h>

#include <string>

inline constexpr wchar_t kFakeProtectedPrintClassKey[] =
    L"Software\\Microsoft\\WindowsRuntime\\ActivatableClassId\\"
    L"Windows.Graphics.Printing.ProtectedPrint.WindowsProtectedPrintInfo";

// Registers the stand-in library `library` as the class with `answer` ("on",
// "off", "unreadable", "refused") for its lifetime; the class is unknown again
// afterwards.
class FakeProtectedPrintClass {
 public:
  FakeProtectedPrintClass(const std::wstring& library, const std::wstring& answer) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kFakeProtectedPrintClassKey, 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return;
    }
    const auto set = [&](const wchar_t* name, const std::wstring& text) {
      return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) ==
             ERROR_SUCCESS;
    };
    const DWORD inProcess = 0;
    registered_ = set(L"DllPath", library) && set(L"Answer", answer) &&
                  RegSetValueExW(key, L"ActivationType", 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&inProcess),
                                 sizeof(inProcess)) == ERROR_SUCCESS;
    RegCloseKey(key);
  }
  ~FakeProtectedPrintClass() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kFakeProtectedPrintClassKey); }
  FakeProtectedPrintClass(const FakeProtectedPrintClass&) = delete;
  FakeProtectedPrintClass& operator=(const FakeProtectedPrintClass&) = delete;

  explicit operator bool() const { return registered_; }

 private:
  bool registered_ = false;
};
