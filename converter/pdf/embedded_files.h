// Files embedded in a PDF, and as associated files of the document (PDF/A-3).
#pragma once

#include <string>
#include <vector>

#include <qpdf/QPDF.hh>

// Embeds each file of `paths` under its file name, with its size, its
// modification date and a MIME type from its extension; with `associated`,
// each is also an associated file of the document with the relationship
// Data. Raises PdfFailure naming the setting "attach" and the path of a file
// that is missing, a folder or unreadable, or whose name another one has.
void EmbedFiles(QPDF& document, const std::vector<std::wstring>& paths, bool associated);

// The MIME type of a file name's extension (compared without case);
// application/octet-stream for any other.
std::string MimeTypeOf(const std::wstring& fileName);
