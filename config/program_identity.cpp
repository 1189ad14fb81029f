#include "program_identity.h"

#include "version_resource.h"

std::wstring GetProductName() { return ReadOwnVersionString(L"ProductName"); }

std::wstring GetSettingsProgID() { return L"corvale.PDFPrinterSettings"; }
