// Whether a job may add its pages to an existing file. Pure rule, without a
// platform header; existing_output.cpp reads the facts it takes.
#pragma once

#include <optional>
#include <string>

// What is known of the existing file.
struct ExistingFileFacts {
  std::string head;          // its first bytes (five, when it has as many)
  std::wstring fileSystem;   // of its volume ("NTFS", "FAT32", ...); empty when unknown
  bool ownedByUser = false;  // its owner is the printing user
};

// Why the pages must not be added to that file, or nothing when they may: it
// must start as a PDF does ("%PDF-"), and be owned by the printing user on a
// file system that keeps owners (NTFS, ReFS, or one not known). Otherwise it
// may be a file that someone else put there under the user's name (PostScript
// in it would run as the user's own input), and the job is saved under a new
// number instead.
std::optional<std::wstring> WhyNotAppendTo(const ExistingFileFacts& facts);
