// The steps after Ghostscript that work on the PDF itself, with qpdf: joining
// the new pages to an existing PDF, a background under and a stamp over every
// page, embedded files, and AES-256 encryption. Paths are full Windows paths.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "pdf_permissions.h"

struct PdfEncryption {
  // Either may be empty (permissions alone encrypt too). Without an owner
  // password a random one is used, so the permissions cannot be lifted.
  std::wstring userPassword;   // needed to open the PDF; empty: anyone may open it
  std::wstring ownerPassword;  // needed to change the permissions
  PdfPermissions permissions;
};

// The largest background or stamp file, attached file, and all attached files
// together: the PDF steps hold them in memory.
inline constexpr std::uintmax_t kMostLayerBytes = 32u << 20;
inline constexpr std::uintmax_t kMostAttachmentBytes = 128u << 20;
inline constexpr std::uintmax_t kMostAttachmentsBytes = 256u << 20;

struct PdfAssembly {
  std::wstring input;   // the new document (Ghostscript's result)
  std::wstring output;  // where the result goes: complete, or not at all
  // When set, the result is written here (an empty file of the caller's, open
  // for writing) rather than to `output` by name, which then only names it in
  // messages; on failure the caller removes it.
  std::FILE* outputFile = nullptr;

  // An existing PDF whose pages come first, kept as they are (annotations,
  // links, form fields, outline, document information and encryption); the
  // new pages follow. Empty: none. `existingPasswords` are tried in order
  // (owner password, then user password) when it is encrypted.
  std::wstring existing;
  std::vector<std::wstring> existingPasswords;
  // When set, `existing` is read from here (open for reading at its start),
  // not opened again by name.
  std::FILE* existingFile = nullptr;

  // PDFs whose first page lies under (background) or over (stamp) each new
  // page, scaled to it. Empty: none.
  std::wstring background;
  std::wstring stamp;

  // Files embedded in the result with their names, sizes and modification
  // dates. With `associatedFiles` (PDF/A-3), each is also an associated file
  // of the document (catalog AF, AFRelationship Data).
  std::vector<std::wstring> attachments;
  bool associatedFiles = false;

  // AES-256 (revision 6). An existing file's own encryption is kept when this
  // is unset or gives an owner password only (the key to that file); when it
  // gives a user password or permissions, it replaces that encryption if the
  // existing file's owner password opened it, and the assembly fails
  // otherwise: the result is never weaker than asked.
  std::optional<PdfEncryption> encryption;
};

// True when `assembly` asks for more than a copy of its input.
bool NeedsAssembly(const PdfAssembly& assembly);

// Writes the assembled PDF to `assembly.output` (or `outputFile`), replacing
// any file there. Raises PdfFailure naming the setting or file that failed;
// nothing is left at the output then (a file of the caller's is left to it).
void AssemblePdf(const PdfAssembly& assembly);
