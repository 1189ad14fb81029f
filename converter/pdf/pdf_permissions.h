// What an encrypted PDF allows without its owner password, and the
// "permissions" setting that chooses it. Pure code, no platform header.
#pragma once

#include <string>
#include <string_view>

struct PdfPermissions {
  bool print = true;
  bool copy = true;       // copy text and graphics
  bool modify = true;     // change the content
  bool annotate = true;   // add or change comments and form fields
  bool fillForms = true;  // fill in form fields
  bool assemble = true;   // insert, rotate or delete pages

  bool operator==(const PdfPermissions&) const = default;
};

// The words the setting allows, for messages.
inline constexpr std::wstring_view kPermissionsAllowed =
    L"all, none, or a comma-separated list of print, copy, modify, annotate, fillforms, assemble";

// "all" (also an empty value), "none", or a comma-separated list of the six
// words, in any case, blanks around them ignored. Raises PdfFailure naming the
// setting, its value and the first word that is not one of them.
PdfPermissions ParsePermissions(std::wstring_view value);
