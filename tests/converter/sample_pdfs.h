// Small PDFs written by hand, for what Ghostscript does not make: form fields,
// outlines and exact object layouts.
#pragma once

#include <string>
#include <vector>

// A PDF of `objects` (numbered from 1, the first the catalog) with an exact
// cross-reference table.
std::string PdfOfObjects(const std::vector<std::string>& objects, const std::string& trailer = "");

// One page of 300 x 200 points whose resources name object 5, the first of
// `more` (numbered from 5 on), as a property list.
std::string PdfWithPropertyResource(const std::vector<std::string>& more);

// One page of 300 x 200 points with `text`, with an exact cross-reference
// table; `catalog` and `page` add entries to those dictionaries, `more`
// objects from number 6 on.
std::string TextPdf(const std::string& text, const std::string& catalog = "",
                    const std::string& page = "", std::vector<std::string> more = {},
                    const std::string& trailer = "");

// "Existing page" with a text field "customer" (value "Acme"), a link to
// https://example.com/terms, an outline entry "Chapter one" and the title "Ledger".
std::string PdfWithFormLinkAndOutline();
