// The files a job writes beside the target before they are placed:
// "<stem>.<tag>.<process id>.<n>.part<extension>". Each is created by the job
// itself (CREATE_NEW) and written through the handle that made it, so a file
// that someone else put under such a name is never written into or placed:
// the job takes the next n instead. The tag (the session id, which the
// monitor makes new for every job) and the process id keep the names of
// jobs apart.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "unique_resource.h"

class PartialFiles {
 public:
  PartialFiles(const std::wstring& target, const std::wstring& tag);
  // Removes the files made and not placed: a failed job leaves nothing.
  ~PartialFiles();
  PartialFiles(const PartialFiles&) = delete;
  PartialFiles& operator=(const PartialFiles&) = delete;

  // A new empty file, open for writing (kept open until Close). Raises JobFailure.
  HANDLE Create();
  // A new file with the bytes of `source` (a file of the user's work area), closed.
  void CopyIn(const std::wstring& source);
  // Closes the open files, so that they can be renamed into place.
  void Close();
  // The files made, in the order made.
  const std::vector<std::wstring>& Names() const { return names_; }
  std::wstring LastName() const { return names_.back(); }

 private:
  std::wstring stem_;
  std::wstring extension_;
  std::vector<std::wstring> names_;
  std::vector<UniqueFileHandle> open_;
  unsigned next_ = 1;
};
