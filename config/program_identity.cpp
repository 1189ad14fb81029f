#include "program_identity.h"

#include "product_names.h"
#include "version_resource.h"

std::wstring GetProductName() { return ReadOwnVersionString(L"ProductName"); }

std::wstring GetSettingsProgID() { return product_names::kSettingsProgId; }
