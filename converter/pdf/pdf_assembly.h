// The steps after Ghostscript that work on the PDF itself, with qpdf: joining
// the new pages to an existing PDF, a background under and a stamp over every
// page, embedded files, and AES-256 encryption. Paths are full Windows paths.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pdf_permissions.h"

struct PdfEncryption {
  // At least one of the two is set. Without an owner password a random one is
  // used, so the permissions cannot be lifted.
  std::wstring userPassword;   // needed to open the PDF; empty: anyone may open it
  std::wstring ownerPassword;  // needed to change the permissions
  PdfPermissions permissions;
};

struct PdfAssembly {
  std::wstring input;   // the new document (Ghostscript's result)
  std::wstring output;  // where the result goes: complete, or not at all

  // An existing PDF whose pages come first, kept as they are (annotations,
  // links, form fields, outline, document information and encryption); the
  // new pages follow. Empty: none. `existingPasswords` are tried in order
  // (owner password, then user password) when it is encrypted.
  std::wstring existing;
  std::vector<std::wstring> existingPasswords;

  // PDFs whose first page lies under (background) or over (stamp) each new
  // page, scaled to it. Empty: none.
  std::wstring background;
  std::wstring stamp;

  // Files embedded in the result with their names, sizes and modification
  // dates. With `associatedFiles` (PDF/A-3), each is also an associated file
  // of the document (catalog AF, AFRelationship Data).
  std::vector<std::wstring> attachments;
  bool associatedFiles = false;

  // AES-256 (revision 6). Not applied on top of an existing file's own
  // encryption, which the result keeps.
  std::optional<PdfEncryption> encryption;
};

// True when `assembly` asks for more than a copy of its input.
bool NeedsAssembly(const PdfAssembly& assembly);

// Writes the assembled PDF to `assembly.output`, replacing any file there.
// Raises PdfFailure naming the setting or file that failed; nothing is left at
// the output then.
void AssemblePdf(const PdfAssembly& assembly);
