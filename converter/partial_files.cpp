#include "partial_files.h"

#include "file_system.h"
#include "job_failure.h"
#include "output_name.h"

namespace {

// Names in a row that are taken before the job gives up.
constexpr unsigned kMostTakenNames = 100;

[[noreturn]] void FailToWrite(const std::wstring& name, DWORD error) {
  throw JobFailure{L"The result could not be written to " + name + L" (error " +
                   std::to_wstring(error) + L")."};
}

}  // namespace

PartialFiles::PartialFiles(const std::wstring& target, const std::wstring& tag) {
  const PathParts parts = SplitExtension(target);
  stem_ = parts.stem + L"." + tag + L"." + std::to_wstring(GetCurrentProcessId()) + L".";
  extension_ = parts.extension;
}

PartialFiles::~PartialFiles() {
  Close();
  for (const std::wstring& name : names_) DeleteFileW(name.c_str());
}

HANDLE PartialFiles::Create() {
  for (unsigned taken = 0; taken < kMostTakenNames; ++taken) {
    const std::wstring name = stem_ + std::to_wstring(next_++) + L".part" + extension_;
    UniqueFileHandle file(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      names_.push_back(name);
      open_.push_back(std::move(file));
      return open_.back().get();
    }
    if (GetLastError() != ERROR_FILE_EXISTS) FailToWrite(name, GetLastError());
  }
  throw JobFailure{L"No free name is left for the job's files beside " + stem_ + L"."};
}

void PartialFiles::CopyIn(const std::wstring& source) {
  const UniqueFileHandle from(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!from) {
    throw JobFailure{L"Ghostscript's result " + source + L" cannot be read (error " +
                     std::to_wstring(GetLastError()) + L")."};
  }
  const HANDLE to = Create();
  static constexpr DWORD kBlock = 1 << 20;
  std::vector<char> block(kBlock);
  for (DWORD read = 0;;) {
    if (!ReadFile(from.get(), block.data(), kBlock, &read, nullptr)) {
      FailToWrite(LastName(), GetLastError());
    }
    if (read == 0) break;
    DWORD written = 0;
    if (!WriteFile(to, block.data(), read, &written, nullptr) || written != read) {
      FailToWrite(LastName(), GetLastError());
    }
  }
  open_.back().reset();
}

void PartialFiles::Close() {
  for (UniqueFileHandle& file : open_) file.reset();
}
