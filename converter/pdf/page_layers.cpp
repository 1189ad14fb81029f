#include "page_layers.h"

#include <qpdf/QPDFPageDocumentHelper.hh>

namespace {

// The first page of `source` as a form of `document`, or null without a source.
QPDFObjectHandle LayerForm(QPDF& document, QPDF* source) {
  if (!source) return QPDFObjectHandle::newNull();
  QPDFPageObjectHelper first = QPDFPageDocumentHelper(*source).getAllPages().front();
  return document.copyForeignObject(first.getFormXObjectForPage());
}

// The content that draws `form` (named `name` in `resources`) over the whole page.
std::string Place(QPDFPageObjectHelper& page, QPDFObjectHandle& resources, QPDFObjectHandle form,
                  const std::string& name) {
  if (form.isNull()) return {};
  resources.getKey("/XObject").replaceKey(name, form);
  return page.placeFormXObject(form, name, page.getTrimBox().getArrayAsRectangle(), true, true,
                               true);
}

}  // namespace

bool HasPages(QPDF& document) { return !document.getAllPages().empty(); }

void LayerPages(QPDF& document, std::vector<QPDFPageObjectHelper>& pages, QPDF* background,
                QPDF* stamp) {
  QPDFObjectHandle under = LayerForm(document, background);
  QPDFObjectHandle over = LayerForm(document, stamp);
  if (under.isNull() && over.isNull()) return;
  for (QPDFPageObjectHelper& page : pages) {
    // The page's own content becomes a form too, so that whatever state its
    // content leaves behind does not reach the stamp. Its data is copied, as
    // the form would otherwise read the contents that are replaced below.
    QPDFObjectHandle own = page.getFormXObjectForPage();
    own.replaceStreamData(own.getRawStreamData(), QPDFObjectHandle(), QPDFObjectHandle());
    QPDFObjectHandle resources = page.getObjectHandle().replaceKeyAndGetNew(
        "/Resources", QPDFObjectHandle::parse("<< /XObject << >> >>"));
    resources.getKey("/XObject").replaceKey("/Fx0", own);
    std::string content = Place(page, resources, under, "/Fx1");
    content += page.placeFormXObject(own, "/Fx0", page.getMediaBox().getArrayAsRectangle(), true,
                                     false, false);
    content += Place(page, resources, over, "/Fx2");
    page.getObjectHandle().replaceKey("/Contents", document.newStream(content));
  }
}
