#include "pdf_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <qpdf/Buffer.hh>
#include <qpdf/BufferInputSource.hh>
#include <qpdf/FileInputSource.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFSystemError.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#include "pdf_assembly.h"
#include "pdf_failure.h"
#include "system_random.h"

namespace {

// The forms in which a password may have been stored: UTF-8 (AES-256), then
// the encodings of the older security handlers (PDFDocEncoding and others).
std::vector<std::string> PasswordForms(const std::wstring& password) {
  std::vector<std::string> forms{Utf8(password)};
  for (const std::string& form : QUtil::possible_repaired_encodings(forms.front())) {
    if (std::find(forms.begin(), forms.end(), form) == forms.end()) forms.push_back(form);
  }
  return forms;
}

// Files up to this size are read into memory at once: qpdf seeks in a file
// for each object it reads, and every seek is a system call (slow under Wine).
constexpr std::uintmax_t kInMemoryLimit = 256u << 20;

// `path` in memory (named `file` in qpdf's messages); null when it is too
// large or cannot be read that way.
std::shared_ptr<InputSource> InMemory(const std::wstring& path, const std::string& file) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kInMemoryLimit) return nullptr;
  auto bytes = std::make_unique<Buffer>(static_cast<size_t>(size));
  std::ifstream stream(std::filesystem::path(path), std::ios::binary);
  if (!stream.read(reinterpret_cast<char*>(bytes->getBuffer()),
                   static_cast<std::streamsize>(size))) {
    return nullptr;
  }
  return std::make_shared<BufferInputSource>(file, bytes.release(), true);
}

// An open file, from its start: in memory up to kInMemoryLimit, else read
// where it is. The caller keeps the file open as long as the document.
std::shared_ptr<InputSource> FromOpenFile(std::FILE* stream, const std::string& file) {
  std::rewind(stream);
  std::string bytes;
  char block[65536];
  for (std::size_t count; (count = std::fread(block, 1, sizeof block, stream)) > 0;) {
    bytes.append(block, count);
    if (bytes.size() > kInMemoryLimit) {
      std::rewind(stream);
      auto source = std::make_shared<FileInputSource>();
      source->setFile(file.c_str(), stream, false);
      return source;
    }
  }
  if (std::ferror(stream)) throw QPDFSystemError(file + ": read", errno);
  return std::make_shared<BufferInputSource>(file, bytes);
}

std::unique_ptr<QPDF> TryOpen(const std::wstring& path, std::FILE* stream, const std::string& file,
                              const char* password) {
  auto document = std::make_unique<QPDF>();
  document->setSuppressWarnings(true);
  document->setAttemptRecovery(false);
  if (stream) {
    document->processInputSource(FromOpenFile(stream, file), password);
  } else if (std::shared_ptr<InputSource> source = InMemory(path, file)) {
    document->processInputSource(source, password);
  } else {
    document->processFile(file.c_str(), password);
  }
  return document;
}

bool IsPasswordRefusal(const QPDFExc& failure) { return failure.getErrorCode() == qpdf_e_password; }

// A random owner password of 128 bits, as hexadecimal text. Every AES-256
// key derivation runs over the password many times: a longer one would cost
// time on every job and add nothing that can be guessed.
std::string RandomPassword() {
  unsigned char bytes[16];
  QUtil::initializeWithRandomBytes(bytes, sizeof bytes);
  return QUtil::hex_encode(std::string(reinterpret_cast<const char*>(bytes), sizeof bytes));
}

// Opens `path` with the first password that fits, or none.
std::unique_ptr<QPDF> OpenWithPasswords(const std::wstring& path, std::FILE* stream,
                                        const std::wstring& setting,
                                        const std::vector<std::wstring>& passwords) {
  const std::string file = Utf8(path);
  for (const std::wstring& password : passwords) {
    if (password.empty()) continue;
    for (const std::string& form : PasswordForms(password)) {
      try {
        return TryOpen(path, stream, file, form.c_str());
      } catch (const QPDFExc& failure) {
        if (!IsPasswordRefusal(failure)) throw;
      }
    }
  }
  try {
    return TryOpen(path, stream, file, nullptr);
  } catch (const QPDFExc& failure) {
    if (!IsPasswordRefusal(failure)) throw;
    throw PdfFailure{setting, path,
                     passwords.empty() ? L"it is encrypted, and no password was given for it"
                                       : L"none of the passwords given opens it"};
  }
}

}  // namespace

std::string Utf8(const std::wstring& text) {
  const std::u8string bytes = std::filesystem::path(text).u8string();
  return std::string(bytes.begin(), bytes.end());
}

std::wstring FromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end())).wstring();
}

std::unique_ptr<QPDF> OpenPdf(const std::wstring& path, const std::wstring& setting,
                              const std::vector<std::wstring>& passwords, std::FILE* file) {
  try {
    return OpenWithPasswords(path, file, setting, passwords);
  } catch (const QPDFSystemError& failure) {
    throw PdfFailure{setting, path,
                     L"the file cannot be opened (" + FromUtf8(failure.what()) + L")"};
  }
}

void WritePdf(QPDF& document, const std::wstring& output, std::FILE* file,
              const std::optional<PdfEncryption>& encryption) {
  UseSystemRandomSource();
  // The writer keeps the name's pointer (for messages and the document's
  // identifier), so the name lives as long as the writer.
  const std::string name = Utf8(output);
  QPDFWriter writer(document);
  if (file) {
    writer.setOutputFile(name.c_str(), file, false);
  } else {
    writer.setOutputFilename(name.c_str());
  }
  // Set parameters replace any encryption the document had.
  if (encryption) {
    const PdfPermissions& allow = encryption->permissions;
    const std::string owner =
        encryption->ownerPassword.empty() ? RandomPassword() : Utf8(encryption->ownerPassword);
    // Accessibility is always allowed: PDF 2.0 readers ignore that bit.
    writer.setR6EncryptionParameters(Utf8(encryption->userPassword).c_str(), owner.c_str(), true,
                                     allow.copy, allow.assemble, allow.annotate, allow.fillForms,
                                     allow.modify, allow.print ? qpdf_r3p_full : qpdf_r3p_none,
                                     true);
  }
  writer.write();
  if (file && (std::fflush(file) != 0 || std::ferror(file))) {
    throw QPDFSystemError(Utf8(output) + ": write", errno);
  }
}

OutputFileGuard::~OutputFileGuard() {
  if (kept_ || path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}
