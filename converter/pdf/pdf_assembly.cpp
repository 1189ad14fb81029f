#include "pdf_assembly.h"

#include <filesystem>
#include <new>

#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "embedded_files.h"
#include "page_append.h"
#include "page_layers.h"
#include "pdf_failure.h"
#include "pdf_files.h"

namespace {

// In mebibytes, for messages.
std::wstring Mebibytes(std::uintmax_t bytes) { return std::to_wstring(bytes >> 20) + L" MiB"; }

// The size of a file named by a setting; 0 when it cannot be known (its
// reader then says why).
std::uintmax_t SizeOf(const std::wstring& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

// Files too large for the steps fail before anything is read.
void RequireSizesWithinCaps(const PdfAssembly& assembly) {
  for (const auto& [path, setting] :
       {std::pair{&assembly.background, L"background"}, std::pair{&assembly.stamp, L"stamp"}}) {
    if (!path->empty() && SizeOf(*path) > kMostLayerBytes) {
      throw PdfFailure{setting, *path, L"the file is larger than " + Mebibytes(kMostLayerBytes)};
    }
  }
  std::uintmax_t total = 0;
  for (const std::wstring& path : assembly.attachments) {
    const std::uintmax_t size = SizeOf(path);
    total += size;
    if (size > kMostAttachmentBytes) {
      throw PdfFailure{L"attach", path,
                       L"the file is larger than " + Mebibytes(kMostAttachmentBytes)};
    }
    if (total > kMostAttachmentsBytes) {
      throw PdfFailure{
          L"attach", path,
          L"the attached files together are larger than " + Mebibytes(kMostAttachmentsBytes)};
    }
  }
}

// A PDF that must have pages to lend its first one, or null when not set.
std::unique_ptr<QPDF> OpenLayer(const std::wstring& path, const wchar_t* setting) {
  if (path.empty()) return nullptr;
  std::unique_ptr<QPDF> layer = OpenPdf(path, setting);
  if (!HasPages(*layer)) throw PdfFailure{setting, path, L"the PDF has no pages"};
  return layer;
}

// qpdf's text of a failure, unless it holds one of the passwords.
std::wstring Detail(const std::string& text, const PdfAssembly& assembly) {
  std::vector<std::wstring> passwords = assembly.existingPasswords;
  if (assembly.encryption) {
    passwords.push_back(assembly.encryption->userPassword);
    passwords.push_back(assembly.encryption->ownerPassword);
  }
  for (const std::wstring& password : passwords) {
    if (!password.empty() && text.find(Utf8(password)) != std::string::npos) {
      return L"details withheld";
    }
  }
  return FromUtf8(text);
}

// The failure of qpdf reading one of the PDFs (it is damaged, or none at
// all), or else of writing the result.
PdfFailure FileFailure(const QPDFExc& failure, const PdfAssembly& assembly) {
  const std::wstring detail = Detail(failure.getMessageDetail(), assembly);
  const std::wstring file = FromUtf8(failure.getFilename());
  const std::pair<const std::wstring*, const wchar_t*> inputs[] = {
      {&assembly.existing, L""},
      {&assembly.background, L"background"},
      {&assembly.stamp, L"stamp"},
      {&assembly.input, L""}};
  for (const auto& [path, setting] : inputs) {
    if (!path->empty() && *path == file) {
      return PdfFailure{setting, file, L"it is no PDF, or a damaged one (" + detail + L")"};
    }
  }
  return PdfFailure{L"", assembly.output, L"the PDF could not be written (" + detail + L")"};
}

// Adding pages is document assembly: a file that forbids it without its
// owner password is appended to only when that password opened it.
void RequireAssemblyAllowed(QPDF& existing, const std::wstring& path) {
  if (existing.isEncrypted() && !existing.ownerPasswordMatched() &&
      !existing.allowModifyAssembly()) {
    throw PdfFailure{L"", path, L"it allows no pages to be added without its owner password"};
  }
}

// Whether the encryption asks for more than an owner password: a user
// password or restrictions, which a result must carry.
bool AsksForRestrictions(const std::optional<PdfEncryption>& encryption) {
  return encryption &&
         (!encryption->userPassword.empty() || encryption->permissions != PdfPermissions{});
}

// The encryption to write over an existing file's own: the one asked for,
// when it asks for a user password or restrictions and the owner password
// opened the file (else the assembly fails: the result is never weaker than
// asked); none, so that the file keeps its own, when only an owner password
// was given (it is the key to the file).
std::optional<PdfEncryption> EncryptionOverExisting(QPDF& existing, const PdfAssembly& assembly) {
  if (!existing.isEncrypted()) return assembly.encryption;
  if (!AsksForRestrictions(assembly.encryption)) return std::nullopt;
  if (!existing.ownerPasswordMatched()) {
    throw PdfFailure{L"", assembly.existing,
                     L"it is encrypted, and only its owner password (the setting "
                     L"\"ownerpassword\") lets the job's own password and permissions replace "
                     L"its encryption"};
  }
  return assembly.encryption;
}

void Assemble(const PdfAssembly& assembly) {
  RequireSizesWithinCaps(assembly);
  std::unique_ptr<QPDF> input = OpenPdf(assembly.input, L"");
  const std::unique_ptr<QPDF> background = OpenLayer(assembly.background, L"background");
  const std::unique_ptr<QPDF> stamp = OpenLayer(assembly.stamp, L"stamp");
  std::unique_ptr<QPDF> existing;
  std::optional<PdfEncryption> encryption = assembly.encryption;
  std::vector<QPDFPageObjectHelper> newPages;
  if (assembly.existing.empty()) {
    newPages = QPDFPageDocumentHelper(*input).getAllPages();
  } else {
    existing = OpenPdf(assembly.existing, L"", assembly.existingPasswords, assembly.existingFile);
    RequireAssemblyAllowed(*existing, assembly.existing);
    encryption = EncryptionOverExisting(*existing, assembly);
    newPages = AppendPages(*existing, *input);
  }
  QPDF& result = existing ? *existing : *input;
  LayerPages(result, newPages, background.get(), stamp.get());
  EmbedFiles(result, assembly.attachments, assembly.associatedFiles);
  WritePdf(result, assembly.output, assembly.outputFile, encryption);
  // qpdf reads on past damage that it can step over, with a warning.
  for (QPDF* document : {input.get(), background.get(), stamp.get(), existing.get()}) {
    if (document && document->anyWarnings()) {
      throw FileFailure(document->getWarnings().front(), assembly);
    }
  }
}

// True when `output` is one of the files the result is made from, which
// writing it would destroy.
bool OutputIsAnInput(const PdfAssembly& assembly) {
  std::vector<std::wstring> inputs = {assembly.input, assembly.existing, assembly.background,
                                      assembly.stamp};
  inputs.insert(inputs.end(), assembly.attachments.begin(), assembly.attachments.end());
  for (const std::wstring& input : inputs) {
    std::error_code error;
    if (!input.empty() && std::filesystem::equivalent(input, assembly.output, error)) return true;
  }
  return false;
}

}  // namespace

bool NeedsAssembly(const PdfAssembly& assembly) {
  return !assembly.existing.empty() || !assembly.background.empty() || !assembly.stamp.empty() ||
         !assembly.attachments.empty() || assembly.encryption.has_value();
}

void AssemblePdf(const PdfAssembly& assembly) {
  if (OutputIsAnInput(assembly)) {
    throw PdfFailure{L"", assembly.output, L"the result would replace a file it is made from"};
  }
  // A file of the caller's is the caller's to remove.
  OutputFileGuard output(assembly.outputFile ? std::wstring() : assembly.output);
  try {
    Assemble(assembly);
  } catch (const PdfFailure&) {
    throw;
  } catch (const QPDFExc& failure) {
    throw FileFailure(failure, assembly);
  } catch (const std::bad_alloc&) {
    throw PdfFailure{L"", assembly.output, L"there was not enough memory to write it"};
  } catch (const std::exception& failure) {
    throw PdfFailure{L"", assembly.output,
                     L"the PDF could not be written (" + Detail(failure.what(), assembly) + L")"};
  }
  output.Keep();
}
