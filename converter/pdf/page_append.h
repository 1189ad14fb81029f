// Joining the pages of one PDF after those of another.
#pragma once

#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

// Copies the pages of `addition` after the pages of `document`, each as it is
// (contents, resources, annotations); form fields on them join the document's
// form. Returns the added pages, as pages of `document`.
std::vector<QPDFPageObjectHelper> AppendPages(QPDF& document, QPDF& addition);
