#include "page_append.h"

#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

std::vector<QPDFPageObjectHelper> AppendPages(QPDF& document, QPDF& addition) {
  QPDFPageDocumentHelper pages(document);
  QPDFAcroFormDocumentHelper form(document);
  QPDFAcroFormDocumentHelper additionForm(addition);
  std::vector<QPDFPageObjectHelper> added;
  for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(addition).getAllPages()) {
    pages.addPage(page, false);
    QPDFPageObjectHelper copy(document.getAllPages().back());
    if (additionForm.hasAcroForm()) {
      form.fixCopiedAnnotations(copy.getObjectHandle(), page.getObjectHandle(), additionForm);
    }
    added.push_back(copy);
  }
  return added;
}
