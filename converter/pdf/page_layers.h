// A background under and a stamp over pages: the first page of another PDF,
// scaled to each page (keeping its proportions, centred).
#pragma once

#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

// Puts the first page of `background` under and the first page of `stamp`
// over each of `pages` of `document`; either may be null. Page count, sizes
// and annotations stay as they are.
void LayerPages(QPDF& document, std::vector<QPDFPageObjectHelper>& pages, QPDF* background,
                QPDF* stamp);

// True when `document` has at least one page.
bool HasPages(QPDF& document);
