// Automation objects by ProgID, with one uniform error report.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "com_ptr.h"

// Creates the object registered under `progId` on the local machine and
// returns its automation interface. Raises the object-creation error:
// 429 "Error creating object: <progId>" when the class cannot be created,
// otherwise the failure's own number with the long description.
ComPtr<IDispatch> CreateObjectByProgID(const std::wstring& progId);
