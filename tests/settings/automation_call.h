// Late-bound calls on an automation object, the way script clients make them:
// the member is looked up by name, the arguments go through DISPPARAMS.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <variant>
#include <vector>

#include "com_ptr.h"

using AutomationArgument = std::variant<bool, std::wstring>;

struct AutomationOutcome {
  HRESULT result = E_FAIL;   // of GetIDsOfNames or Invoke
  SCODE errorCode = S_OK;    // EXCEPINFO.scode when Invoke reports an exception
  std::wstring source;       // EXCEPINFO.bstrSource
  std::wstring description;  // EXCEPINFO.bstrDescription
  std::wstring text;         // the result, when it is text

  bool Succeeded() const { return SUCCEEDED(result); }
};

// Creates the object registered under `progId` (null on failure).
ComPtr<IDispatch> CreateByProgId(const wchar_t* progId);

// Calls the method `name` with `arguments` (in their written order).
AutomationOutcome CallByName(IDispatch* object, const std::wstring& name,
                             const std::vector<AutomationArgument>& arguments = {});

// The library file that the tests drive, as a Windows path.
std::wstring TavrinDllPath();
