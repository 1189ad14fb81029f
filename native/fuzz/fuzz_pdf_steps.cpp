// The PDF steps on a crafted PDF in each of its places: the new pages (with
// encryption), the existing file read through an open stream, the background
// and the stamp. A step may refuse the file (PdfFailure); nothing may crash,
// read out of bounds or let another exception out.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "fuzz_text.h"
#include "pdf_assembly.h"
#include "pdf_failure.h"

namespace {

namespace fs = std::filesystem;

// A one-page PDF that qpdf reads without repairs, for the places the crafted
// one does not take: its objects with an exact cross-reference table.
std::string PlainPdf() {
  const char* objects[] = {"<</Type/Catalog/Pages 2 0 R>>", "<</Type/Pages/Kids[3 0 R]/Count 1>>",
                           "<</Type/Page/Parent 2 0 R/MediaBox[0 0 200 100]/Contents 4 0 R>>",
                           "<</Length 8>>stream\n0 0 m S\n\nendstream"};
  std::string pdf = "%PDF-1.4\n";
  std::string table = "xref\n0 5\n0000000000 65535 f \n";
  for (int i = 0; i < 4; ++i) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
    table += entry;
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t start = pdf.size();
  return pdf + table + "trailer<</Size 5/Root 1 0 R>>\nstartxref\n" + std::to_string(start) +
         "\n%%EOF\n";
}

// This run's folder of files, removed at the end of the run (it is never
// destroyed itself, so that the removal can still name it).
const fs::path& Folder() {
  static const fs::path* const folder = [] {
    auto* path =
        new fs::path(fs::temp_directory_path() / ("fuzz_pdf_steps." + std::to_string(getpid())));
    fs::create_directories(*path);
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(Folder(), ignored);
    });
    return path;
  }();
  return *folder;
}

std::wstring Write(const char* name, const std::uint8_t* data, std::size_t size) {
  const fs::path path = Folder() / name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path.wstring();
}

void Assemble(const std::function<void(PdfAssembly&)>& place) {
  PdfAssembly assembly;
  assembly.input = (Folder() / "plain.pdf").wstring();
  assembly.output = (Folder() / "result.pdf").wstring();
  place(assembly);
  try {
    AssemblePdf(assembly);
  } catch (const PdfFailure&) {
    // Refused: a damaged or unusable file.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string plain = PlainPdf();
  Write("plain.pdf", reinterpret_cast<const std::uint8_t*>(plain.data()), plain.size());
  const std::wstring crafted = Write("crafted.pdf", data, size);
  Assemble([&](PdfAssembly& a) {
    a.input = crafted;
    a.encryption = PdfEncryption{L"user", L"", ParsePermissions(L"none")};
  });
  std::FILE* existing = std::fopen(fs::path(crafted).c_str(), "rb");
  if (!existing) Finding("the crafted file cannot be opened");
  Assemble([&](PdfAssembly& a) {
    a.existing = crafted;
    a.existingFile = existing;
    a.existingPasswords = {L"owner"};
    a.encryption = PdfEncryption{L"", L"owner", ParsePermissions(L"print")};
  });
  std::fclose(existing);
  Assemble([&](PdfAssembly& a) { a.background = crafted; });
  Assemble([&](PdfAssembly& a) { a.stamp = crafted; });
  return 0;
}
