#include "sample_pdfs.h"

#include <cstdio>

std::string PdfOfObjects(const std::vector<std::string>& objects, const std::string& trailer) {
  std::string pdf = "%PDF-1.7\n";
  std::string table = "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t i = 0; i < objects.size(); ++i) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
    table += entry;
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  return pdf + table + "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R " +
         trailer + " >>\nstartxref\n" + std::to_string(pdf.size()) + "\n%%EOF\n";
}

std::string PdfWithPropertyResource(const std::vector<std::string>& more) {
  const std::string content = "0 0 m 10 10 l S";
  std::vector<std::string> objects = {
      "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R "
      "/Resources << /Properties << /P1 5 0 R >> >> >>",
      "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream"};
  objects.insert(objects.end(), more.begin(), more.end());
  return PdfOfObjects(objects);
}

std::string TextPdf(const std::string& text, const std::string& catalog, const std::string& page,
                    std::vector<std::string> more, const std::string& trailer) {
  const std::string content = "BT /F1 18 Tf 20 100 Td (" + text + ") Tj ET";
  std::vector<std::string> objects = {
      "<< /Type /Catalog /Pages 2 0 R " + catalog + " >>",
      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R "
      "/Resources << /Font << /F1 5 0 R >> >> " +
          page + " >>",
      "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
  objects.insert(objects.end(), more.begin(), more.end());
  return PdfOfObjects(objects, trailer);
}

std::string PdfWithFormLinkAndOutline() {
  return TextPdf("Existing page", "/Outlines 7 0 R /AcroForm << /Fields [6 0 R] >>",
                 "/Annots [6 0 R 9 0 R]",
                 {"<< /Type /Annot /Subtype /Widget /FT /Tx /T (customer) /V (Acme) "
                  "/Rect [20 60 200 90] /P 3 0 R >>",
                  "<< /Type /Outlines /First 8 0 R /Last 8 0 R /Count 1 >>",
                  "<< /Title (Chapter one) /Parent 7 0 R /Dest [3 0 R /Fit] >>",
                  "<< /Type /Annot /Subtype /Link /Rect [20 20 200 40] "
                  "/A << /S /URI /URI (https://example.com/terms) >> >>",
                  "<< /Title (Ledger) >>"},
                 "/Info 10 0 R");
}
