#include "creation_error.h"

#include <cstdio>

std::int32_t CreationErrorNumber(std::int32_t hresult) {
  const auto code = static_cast<std::uint32_t>(hresult);
  if ((code & 0xFFFF0000u) == 0x800A0000u) return static_cast<std::int32_t>(code & 0xFFFFu);
  switch (code) {
    case 0x80040154u:  // class not registered
    case 0x800401F3u:  // invalid class string (unknown ProgID)
    case 0x800401F5u:  // application not found
    case 0x80040111u:  // class factory cannot supply the class
    case 0x80080005u:  // server execution failed
      return kCannotCreateObject;
    case 0x8007000Eu:  // out of memory
      return 7;
    case 0x80070005u:  // access denied
      return 70;
    case 0x80004002u:  // no such interface: no automation support
      return 430;
    case 0x80070057u:  // invalid argument
      return 5;
    default:
      return hresult;
  }
}

std::wstring CreationErrorDescription(const std::wstring& progId, std::int32_t number,
                                      const std::wstring& description) {
  std::wstring text = L"Error creating object: " + progId;
  if (number == kCannotCreateObject) return text;
  wchar_t hex[16];
  std::swprintf(hex, 16, L"%X", static_cast<unsigned>(number));
  return text + L". Error " + std::to_wstring(number) + L" (0x" + hex + L"): " + description;
}
