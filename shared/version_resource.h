// Entries of the calling binary's own version resource.
#pragma once

#include <string>

// The entry `name` ("CompanyName", "ProductName", ...) of the version record
// of the binary that this code is linked into; the empty text when missing.
std::wstring ReadOwnVersionString(const wchar_t* name) noexcept;

// The company name of the binary's own version record ("Quillmar" when shipped).
std::wstring GetCompanyName() noexcept;
