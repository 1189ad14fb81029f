// What the tests of the registered settings class share: a single-threaded
// apartment per thread, the class's identities and a data folder per program.
#pragma once

#include <windows.h>

#include <string>

#include "automation_call.h"

inline constexpr const wchar_t* kProgId = L"corvale.PDFPrinterSettings";
inline constexpr HRESULT kWriteErrorResult = static_cast<HRESULT>(0x800A03E8);

// Joins a single-threaded apartment for the life of the object.
class Apartment {
 public:
  Apartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~Apartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

 private:
  HRESULT result_;
};

// Text of an HRESULT for failure messages.
std::string HresultText(HRESULT result);
